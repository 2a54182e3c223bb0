#pragma once
// The NULLs of each column of one table (MissingValuesProtocol.h), counted from the rows' null masks as the
// rows are walked, no value decoded: a Yes/No, which keeps its value in the mask, counts none.

#include "RequestDispatch.h"

#include <string>

// False when the answer could not be sent.
bool readMissingValues(const std::string& path, Credentials& credentials, const std::string& table,
                       const FrameSink& send);
