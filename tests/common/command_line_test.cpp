#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/command_line.h"

namespace ztv {
namespace {

struct Picked {
    bool flag = false;
    std::string name;
    std::vector<std::string> rest;
};

using Error = OptionError;

constexpr OptionRow<Picked> kRows[] = {
    {"--flag", "", "a flag",
     [](Picked& p, std::string_view) -> Error {
         p.flag = true;
         return std::nullopt;
     }},
    {"--name", "NAME", "a value that may not be 'bad'",
     [](Picked& p, std::string_view v) -> Error {
         if (v == "bad") return Text::same("bad name");
         p.name = std::string(v);
         return std::nullopt;
     }},
};

Error keep_rest(Picked& p, std::string_view v) {
    p.rest.emplace_back(v);
    return std::nullopt;
}

// The English message, or nothing.
std::optional<std::string> parse(std::vector<std::string_view> args, Picked& picked, bool positional = true) {
    const Error error = parse_command_line(std::span<const std::string_view>(args),
                                           OptionTable<Picked>{kRows, positional ? keep_rest : nullptr, {}}, picked);
    if (!error) return std::nullopt;
    return error->en;
}

TEST(CommandLine, ValuesComeSeparateOrAfterAnEqualsSign) {
    Picked a;
    EXPECT_EQ(parse({"--name", "x", "file", "--flag"}, a), std::nullopt);
    EXPECT_TRUE(a.flag);
    EXPECT_EQ(a.name, "x");
    EXPECT_EQ(a.rest, std::vector<std::string>{"file"});
    Picked b;
    EXPECT_EQ(parse({"--name=y=z"}, b), std::nullopt);
    EXPECT_EQ(b.name, "y=z");
    Picked c;
    EXPECT_EQ(parse({"--name="}, c), "option --name needs a value NAME") << "no option takes an empty value";
}

TEST(CommandLine, UnknownMissingAndRefusedValuesAreReported) {
    Picked p;
    EXPECT_EQ(parse({"--bogus"}, p), "unknown option '--bogus'");
    EXPECT_EQ(parse({"--name"}, p), "option --name needs a value NAME");
    EXPECT_EQ(parse({"--flag=1"}, p), "option --flag takes no value");
    EXPECT_EQ(parse({"--name", "bad"}, p), "bad name");
    EXPECT_EQ(parse({"file"}, p, false), "unexpected argument 'file'");
}

TEST(CommandLine, DoubleDashEndsTheOptions) {
    Picked p;
    EXPECT_EQ(parse({"--", "--flag", "-x.ZTV"}, p), std::nullopt);
    EXPECT_FALSE(p.flag);
    EXPECT_EQ(p.rest, (std::vector<std::string>{"--flag", "-x.ZTV"}));
}

TEST(CommandLine, HelpListsEveryRowWithItsValue) {
    const std::string help = options_help<Picked>(kRows);
    EXPECT_NE(help.find("  --flag"), std::string::npos);
    EXPECT_NE(help.find("  --name NAME"), std::string::npos);
    EXPECT_NE(help.find("a value that may not be 'bad'\n"), std::string::npos);
}

TEST(CommandLine, BoundedNumbersRefuseJunkAndOutOfRange) {
    EXPECT_EQ(parse_bounded_number("0", 0, 10), 0);
    EXPECT_EQ(parse_bounded_number("10", 0, 10), 10);
    EXPECT_EQ(parse_bounded_number("-3", -5, 10), -3);
    EXPECT_EQ(parse_bounded_number("11", 0, 10), std::nullopt);
    EXPECT_EQ(parse_bounded_number("-1", 0, 10), std::nullopt);
    EXPECT_EQ(parse_bounded_number("99999999999999999999999", 0, 10), std::nullopt);
    EXPECT_EQ(parse_bounded_number("", 0, 10), std::nullopt);
    EXPECT_EQ(parse_bounded_number(" 5", 0, 10), std::nullopt);
    EXPECT_EQ(parse_bounded_number("+5", 0, 10), std::nullopt);
    EXPECT_EQ(parse_bounded_number("5ms", 0, 10), std::nullopt);
    EXPECT_EQ(parse_bounded_number("0x5", 0, 10), std::nullopt);
}

}  // namespace
}  // namespace ztv
