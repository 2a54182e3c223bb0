#pragma once
// The rows' statements and COPY data on their way from the thread that makes them to a thread that sends
// them, so that the making of the next piece overlaps the client library's and the server's work on the
// last, as a script piped into the server's client does. A few pieces wait at most: memory stays bounded,
// and the maker waits when the sender is behind. The first failure stops the sending; it is answered to
// every later push and to drain().

#include "LiveConnection.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

class SendQueue {
public:
    enum class Kind { Statement, CopyData };

    explicit SendQueue(LiveConnection& target);
    ~SendQueue();
    SendQueue(const SendQueue&) = delete;
    SendQueue& operator=(const SendQueue&) = delete;

    Failure push(Kind kind, std::string&& text);
    // Waits until every piece is sent; the connection is the caller's again afterwards.
    Failure drain();

private:
    void run();

    struct Piece {
        Kind kind;
        std::string text;
    };
    static constexpr std::size_t waitingPieces = 4;

    LiveConnection& target_;
    std::mutex lock_;
    std::condition_variable changed_;
    std::deque<Piece> pieces_;
    bool sending_ = false; // a piece taken and not yet sent
    bool ending_ = false;
    Failure failure_;
    std::thread thread_;
};
