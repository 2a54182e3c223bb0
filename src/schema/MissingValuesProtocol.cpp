#include "MissingValuesProtocol.h"

namespace readerprotocol {

std::string encode(const MissingValuesAnswer& answer) {
    Writer out;
    putFailure(out, answer.failure);
    if (answer.failure)
        return out.takeFrame();
    out.u32(std::uint32_t(answer.nulls.size()));
    for (const std::int64_t nulls : answer.nulls)
        out.i64(nulls);
    out.boolean(answer.complete);
    return out.takeFrame();
}

std::optional<MissingValuesAnswer> decodeMissingValues(std::string_view payload) {
    Reader in(payload);
    MissingValuesAnswer answer;
    answer.failure = takeFailure(in);
    if (!answer.failure && in.ok()) {
        answer.nulls.resize(in.count(1));
        for (std::int64_t& nulls : answer.nulls) {
            nulls = in.i64();
            if (nulls < 0)
                in.fail();
        }
        answer.complete = in.boolean();
    }
    if (!in.finished())
        return std::nullopt;
    return answer;
}

} // namespace readerprotocol
