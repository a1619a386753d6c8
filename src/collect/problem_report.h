// A domain Problem shown the way it is meant: a message when it names no input,
// a balloon on the input otherwise.
#pragma once

#include "collect/payment_context.h"

namespace dajdor::collect {

void report(Interaction& interaction, const Problem& problem);

}  // namespace dajdor::collect
