// 128-bit integers for exact decimal arithmetic without overflow in between.
#pragma once

namespace engine {

__extension__ typedef __int128 Int128;
__extension__ typedef unsigned __int128 UInt128;

}  // namespace engine
