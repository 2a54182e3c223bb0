#include "MissingValuesProtocol.h"

namespace readerprotocol {

std::string encode(const MissingValuesAnswer& answer) {
    Writer out;
    out.u32(answer.failure ? 1 : 0);
    if (answer.failure) {
        out.u32(answer.failure->number);
        out.text(answer.failure->description);
        return out.takeFrame();
    }
    out.u32(std::uint32_t(answer.nulls.size()));
    for (const std::int64_t nulls : answer.nulls)
        out.i64(nulls);
    out.boolean(answer.complete);
    return out.takeFrame();
}

std::optional<MissingValuesAnswer> decodeMissingValues(std::string_view payload) {
    Reader in(payload);
    MissingValuesAnswer answer;
    const std::uint32_t status = in.u32();
    if (status == 1) {
        Failure failure;
        failure.number = in.u32();
        failure.description = in.text();
        answer.failure = std::move(failure);
    } else if (status != 0) {
        return std::nullopt;
    } else {
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
