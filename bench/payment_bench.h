// The payment part of bench-collect: commits, cancellations and receipt PDFs on
// a copy of a gen-commune directory, next to one disk sync on the same disk.
#pragma once

#include <QString>

// Prints the table; false when a goal is not met or an operation failed.
bool benchPayments(const QString& dataDir, int taxpayers);
