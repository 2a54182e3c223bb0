#pragma once
// MySQL's LOAD DATA LOCAL INFILE fed from memory: the statement runs on a thread of its own, where the client
// library asks for the "file" piece by piece, and each piece handed to write() is passed on as it asks. The
// server's request for a file is answered only while a load of ours runs and only for its name: no file of
// the machine is ever read.

#include "LiveConnection.h"

#include <condition_variable>
#include <mutex>
#include <thread>

struct st_mysql;

class LocalLoadStream {
public:
    // Answers the connection's requests for a file from now on.
    explicit LocalLoadStream(st_mysql* connection);
    ~LocalLoadStream() { abandon(); }
    LocalLoadStream(const LocalLoadStream&) = delete;
    LocalLoadStream& operator=(const LocalLoadStream&) = delete;

    // Sends the statement; returns once the server asks for the rows or has answered. refused: it answered
    // that it takes no LOCAL load.
    Failure start(const std::string& statement, bool& refused);
    // Waits until the client library has taken all of the lines.
    Failure write(std::string_view lines);
    // The end of the rows, and the server's answer to the statement.
    Failure end();
    // Ends a load still running with an error, so that the connection can be used again.
    void abandon();
    bool running() const { return thread_.joinable(); }

private:
    static int open(void** state, const char* file, void* self);
    static int read(void* state, char* buffer, unsigned int size);
    static void close(void* state);
    static int error(void* state, char* buffer, unsigned int size);
    Failure join();

    st_mysql* connection_;
    std::mutex lock_;
    std::condition_variable changed_;
    bool accepting_ = false; // a statement of ours is sent: the server may ask for its stream
    bool asked_ = false;     // and it has
    bool ending_ = false;    // every line is written
    bool abandoned_ = false;
    bool answered_ = false; // the statement returned
    std::string_view piece_;
    int status_ = 0; // of the statement
    unsigned errorCode_ = 0;
    QString message_;
    std::thread thread_;
};
