#include "SendQueue.h"

SendQueue::SendQueue(LiveConnection& target) : target_(target), thread_([this] { run(); }) {}

// What still waits is not sent: the rows were stopped or failed, or were drained before.
SendQueue::~SendQueue() {
    {
        const std::lock_guard<std::mutex> locked(lock_);
        ending_ = true;
        pieces_.clear();
    }
    changed_.notify_all();
    thread_.join();
}

Failure SendQueue::push(Kind kind, std::string&& text) {
    std::unique_lock<std::mutex> locked(lock_);
    changed_.wait(locked, [this] { return failure_ || pieces_.size() < waitingPieces; });
    if (failure_)
        return failure_;
    pieces_.push_back({kind, std::move(text)});
    locked.unlock();
    changed_.notify_all();
    return std::nullopt;
}

Failure SendQueue::drain() {
    std::unique_lock<std::mutex> locked(lock_);
    changed_.wait(locked, [this] { return pieces_.empty() && !sending_; });
    return failure_;
}

void SendQueue::run() {
    std::unique_lock<std::mutex> locked(lock_);
    for (;;) {
        changed_.wait(locked, [this] { return ending_ || !pieces_.empty(); });
        if (pieces_.empty())
            return;
        Piece piece = std::move(pieces_.front());
        pieces_.pop_front();
        sending_ = true;
        const bool failed = failure_.has_value();
        locked.unlock();
        changed_.notify_all();
        Failure sent;
        if (!failed)
            sent = piece.kind == Kind::Statement ? target_.send(piece.text) : target_.copyData(piece.text);
        locked.lock();
        if (sent && !failure_)
            failure_ = sent;
        sending_ = false;
        changed_.notify_all();
    }
}
