// The constants section "#3": every literal of the ConstantPool placed in
// flash, integers first, then strings, then floats, on data lines that are
// broken once they grow long.
#include "compiler/compile_context.h"
#include "compiler/fixed_records.h"

namespace k7 {

namespace {

constexpr size_t NumberLineLimit = 76;
constexpr size_t StringLineLimit = 64;

void PlaceList(CompileContext& context, RecordLines& lines, ConstantList& list, uint32_t tag,
               bool strings) {
    for (PoolConstant& constant : list.Entries()) {
        constant.Address = context.FlashCursor | tag;
        const uint32_t bytes =
            strings ? static_cast<uint32_t>((constant.Text.size() / 4 + 1) * 4) : 4;
        context.FlashCursor += bytes;
        lines.Field(strings ? "'" + constant.Text : constant.Text, context.FlashCursor);
    }
}

} // namespace

void WriteConstants(CompileContext& context) {
    ConstantPool& pool = context.Constants;
    // One line runs on through the three lists; only the limit changes.
    RecordLines lines(&context.Image, context.FlashCursor, NumberLineLimit);
    PlaceList(context, lines, pool.Integers, TagInteger, false);
    lines.SetLimit(StringLineLimit);
    PlaceList(context, lines, pool.Strings, TagString, true);
    lines.SetLimit(NumberLineLimit);
    PlaceList(context, lines, pool.Floats, TagFloat, false);
    lines.Close();
}

} // namespace k7
