// Literal constants: which list a text goes to, and that each is entered once.
#include "compiler/constant_pool.h"

#include <gtest/gtest.h>

namespace k7 {
namespace {

std::vector<std::string> Texts(const ConstantList& list) {
    std::vector<std::string> texts;
    for (const auto& constant : list.Entries())
        texts.push_back(constant.Text);
    return texts;
}

TEST(ConstantPoolTest, LiteralsGoToTheirLists) {
    ConstantPool pool;
    AddConstant(pool, "-5", "FISS");
    AddConstant(pool, "2.5", "FISS");
    AddConstant(pool, "Pump1", "FISS");
    AddConstant(pool, "1.2.3", "FISS");
    AddConstant(pool, "Tank.Level", "FISS");
    AddConstant(pool, "", "FISS");
    EXPECT_EQ(Texts(pool.Integers), std::vector<std::string>{"-5"});
    EXPECT_EQ(Texts(pool.Floats), std::vector<std::string>{"2.5"});
    EXPECT_EQ(Texts(pool.Strings), std::vector<std::string>{"Pump1"});
}

TEST(ConstantPoolTest, StringCodesKeepNumbersAsText) {
    ConstantPool pool;
    AddConstant(pool, "12", "SISS");
    AddConstant(pool, "1.2.3", "SISS");
    AddConstant(pool, "Tank.Level", "SISS"); // not a number at all: nowhere
    AddConstant(pool, "Tank.Level", "SXXC"); // a quoted BASIC string: always text
    EXPECT_EQ(Texts(pool.Strings), (std::vector<std::string>{"12", "1.2.3", "Tank.Level"}));
    EXPECT_TRUE(pool.Integers.Entries().empty());
    EXPECT_TRUE(pool.Floats.Entries().empty());
}

TEST(ConstantPoolTest, ATextIsEnteredOnceInInsertionOrder) {
    ConstantPool pool;
    for (const char* text : {"3", "1", "3", "0", "1"})
        AddConstant(pool, text, "");
    EXPECT_EQ(Texts(pool.Integers), (std::vector<std::string>{"3", "1", "0"}));
    ASSERT_NE(pool.Integers.Find("0"), nullptr);
    EXPECT_EQ(pool.Integers.Find("7"), nullptr);
}

TEST(ConstantPoolTest, ClassOfTexts) {
    EXPECT_EQ(ConstantClass("-5", ""), 0);
    EXPECT_EQ(ConstantClass("Pump1", ""), 1);
    EXPECT_EQ(ConstantClass("2.5", ""), 2);
    EXPECT_EQ(ConstantClass("a.b", ""), 3);
    EXPECT_EQ(ConstantClass("1.2.3", "IISS"), 3);
    EXPECT_EQ(ConstantClass("2.5", "SISS"), 1);
    EXPECT_EQ(ConstantClass("a.b", "SISS"), 3);
    EXPECT_EQ(ConstantClass("a.b", "SXXC"), 1);
}

} // namespace
} // namespace k7
