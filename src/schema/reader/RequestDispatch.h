#pragma once
// The reader process's answer to one request: the whole answer frame, ready to write.

#include "ReaderProtocol.h"

#include <string>

std::string answerRequest(const readerprotocol::Request& request);
