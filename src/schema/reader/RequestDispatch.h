#pragma once
// The reader process's answer to one request, as frames ready to write: one frame for most requests, a run
// of them for the whole schema, handed over as each is made.

#include "ReaderProtocol.h"

#include <functional>
#include <string>

// Takes the next frame of an answer; false when it could not be sent, which ends the answer.
using FrameSink = std::function<bool(const std::string& frame)>;

struct Credentials;

// False when a frame could not be sent. credentials take the request's password, and keep the keys of the
// encrypted file opened last for the next request.
bool answerRequest(const readerprotocol::Request& request, Credentials& credentials, const FrameSink& send);
