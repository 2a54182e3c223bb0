#include "LocalLoadStream.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <errmsg.h>
#include <mysql.h>
#include <mysqld_error.h>

LocalLoadStream::LocalLoadStream(MYSQL* connection) : connection_(connection) {
    mysql_set_local_infile_handler(connection_, open, read, close, error, this);
}

Failure LocalLoadStream::start(const std::string& statement, bool& refused) {
    refused = false;
    abandon();
    {
        const std::lock_guard<std::mutex> locked(lock_);
        accepting_ = true;
        asked_ = ending_ = abandoned_ = answered_ = false;
        piece_ = {};
    }
    thread_ = std::thread([this, statement] {
        const int status = mysql_real_query(connection_, statement.data(), statement.size());
        const std::lock_guard<std::mutex> locked(lock_);
        status_ = status;
        errorCode_ = status != 0 ? mysql_errno(connection_) : 0;
        message_ = status != 0 ? QString::fromUtf8(mysql_error(connection_)).trimmed() : QString();
        answered_ = true;
        accepting_ = false;
        changed_.notify_all();
    });
    std::unique_lock<std::mutex> locked(lock_);
    changed_.wait(locked, [this] { return asked_ || answered_; });
    if (asked_)
        return std::nullopt;
    locked.unlock();
    const Failure failure = join();
    // The server's local_infile is off, or it took the client for one that cannot send files.
    refused = errorCode_ == ER_LOAD_INFILE_CAPABILITY_DISABLED || errorCode_ == ER_NOT_ALLOWED_COMMAND;
    return refused ? std::nullopt : failure;
}

Failure LocalLoadStream::write(std::string_view lines) {
    std::unique_lock<std::mutex> locked(lock_);
    piece_ = lines;
    changed_.notify_all();
    changed_.wait(locked, [this] { return piece_.empty() || answered_; });
    if (!answered_)
        return std::nullopt;
    piece_ = {};
    // The statement ended before its rows did: the connection was lost, or the server refused them.
    return status_ != 0 ? message_ : QStringLiteral("the server ended the load before its last row");
}

Failure LocalLoadStream::end() {
    {
        const std::lock_guard<std::mutex> locked(lock_);
        ending_ = true;
    }
    changed_.notify_all();
    return join();
}

void LocalLoadStream::abandon() {
    if (!running())
        return;
    {
        const std::lock_guard<std::mutex> locked(lock_);
        abandoned_ = true;
    }
    changed_.notify_all();
    join();
}

Failure LocalLoadStream::join() {
    if (thread_.joinable())
        thread_.join();
    if (status_ != 0)
        return message_;
    return std::nullopt;
}

int LocalLoadStream::open(void** state, const char* file, void* self) {
    auto* load = static_cast<LocalLoadStream*>(self);
    *state = load;
    const std::lock_guard<std::mutex> locked(load->lock_);
    if (!load->accepting_ || load->asked_ || std::strcmp(file, loadDataStream) != 0)
        return 1;
    load->asked_ = true;
    load->changed_.notify_all();
    return 0;
}

int LocalLoadStream::read(void* state, char* buffer, unsigned int size) {
    auto* load = static_cast<LocalLoadStream*>(state);
    std::unique_lock<std::mutex> locked(load->lock_);
    load->changed_.wait(locked,
                        [load] { return !load->piece_.empty() || load->ending_ || load->abandoned_; });
    if (load->abandoned_)
        return -1;
    if (load->piece_.empty())
        return 0; // the end of the rows
    const std::size_t taken = std::min<std::size_t>(size, load->piece_.size());
    std::memcpy(buffer, load->piece_.data(), taken);
    load->piece_.remove_prefix(taken);
    if (load->piece_.empty())
        load->changed_.notify_all();
    return int(taken);
}

void LocalLoadStream::close(void* state) {
    (void)state;
}

int LocalLoadStream::error(void* state, char* buffer, unsigned int size) {
    auto* load = static_cast<LocalLoadStream*>(state);
    bool abandoned = false;
    if (load) {
        const std::lock_guard<std::mutex> locked(load->lock_);
        abandoned = load->abandoned_;
    }
    const char* why =
        abandoned ? "the load was abandoned" : "the server asked for a file that was not offered";
    std::snprintf(buffer, size, "%s", why);
    return CR_UNKNOWN_ERROR;
}
