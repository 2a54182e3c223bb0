#pragma once
// The number of live rows of one table (RowCountProtocol.h), counted as the rows are walked, no value
// decoded.

#include "RequestDispatch.h"

#include <string>

// False when the answer could not be sent.
bool readRowCount(const std::string& path, Credentials& credentials, const std::string& table,
                  const FrameSink& send);
