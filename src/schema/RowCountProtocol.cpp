#include "RowCountProtocol.h"

namespace readerprotocol {

std::string encode(const RowCountAnswer& answer) {
    Writer out;
    putFailure(out, answer.failure);
    if (answer.failure)
        return out.takeFrame();
    out.i64(answer.rows);
    out.boolean(answer.complete);
    return out.takeFrame();
}

std::optional<RowCountAnswer> decodeRowCount(std::string_view payload) {
    Reader in(payload);
    RowCountAnswer answer;
    answer.failure = takeFailure(in);
    if (!answer.failure && in.ok()) {
        answer.rows = in.i64();
        if (answer.rows < 0)
            in.fail();
        answer.complete = in.boolean();
    }
    if (!in.finished())
        return std::nullopt;
    return answer;
}

} // namespace readerprotocol
