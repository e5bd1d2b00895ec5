// The BASIC template is the text a new BASIC module starts from: it must
// build as it stands.
#include "basic/basic_compiler.h"
#include "tests/data/data_files.h"

#include <gtest/gtest.h>

namespace k7 {
namespace {

TEST(BasicTemplate, CompilesWithoutErrors) {
    std::string fault;
    const std::vector<std::string> lines =
        test::SplitCrLfLines(test::ReadWholeFile(test::DataFolder() + "K7Basic.Tpl"), fault);
    ASSERT_EQ(fault, "");
    BasicCompiler compiler;
    const BasicCompileOutput output = compiler.Compile(lines);
    for (const BasicError& error : output.Errors)
        ADD_FAILURE() << "line " << error.Line + 1 << ": " << error.Message;
    EXPECT_EQ(output.InputCount, 3);
    EXPECT_EQ(output.OutputCount, 2);
    ASSERT_FALSE(output.CodeLines.empty());
    EXPECT_NE(output.CodeLines.back().find("t22|"), std::string::npos);
}

} // namespace
} // namespace k7
