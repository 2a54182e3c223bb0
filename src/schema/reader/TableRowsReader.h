#pragma once
// The rows of one table, read with libmdb in the order the file keeps them and decoded from their stored
// bytes (ValueBytes.h), never from libmdb's formatted texts. The answer's frames (RowsProtocol.h) are
// handed to send as each is made: batches of whole rows, at most about 64 KiB of values or 1,000 rows each,
// then the tail. A row that cannot be read ends the rows there: the tail says they are not complete.

#include "RequestDispatch.h"

#include <string>

// False when a frame could not be sent.
bool readTableRows(const std::string& path, Credentials& credentials, const std::string& table,
                   const FrameSink& send);
