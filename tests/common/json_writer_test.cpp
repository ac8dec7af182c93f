// The JSON writer's documents read back as JSON whatever their texts hold.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "common/json_writer.h"
#include "support/json_value.h"

namespace ztv {
namespace {

TEST(JsonWriter, AnyTextReadsBackAsJsonWithItsUtf8Intact) {
    using namespace std::string_literals;
    const std::string awkward = "q\"b\\s/\nt\tc\r\x01\x1F\x7F nul:"s + '\0' + "end";
    const std::string invalid = "a\xFF" "b\xD0" "c\xC0\xAF" "d\xED\xA0\x80" "e\xF4\x90\x80\x80" "f\xE2\x82";
    JsonWriter json;
    json.begin_object()
        .key("awkward")
        .value(awkward)
        .key("invalid")
        .value(invalid)
        .key("cyrillic \xE2\x82\xAC")
        .value("Пуск")
        .key("numbers")
        .begin_array()
        .value(std::numeric_limits<std::uint64_t>::max())
        .value(-42)
        .value(std::uint8_t{200})
        .end_array()
        .key("empty")
        .begin_object()
        .end_object()
        .key("nothing")
        .begin_array()
        .end_array()
        .key("flags")
        .begin_array()
        .value(true)
        .value(false)
        .null()
        .end_array()
        .end_object();
    const auto doc = test::parse_json(json.text());
    ASSERT_TRUE(doc) << json.text();
    EXPECT_EQ((*doc)["awkward"].text(), awkward);
    // Each byte that is not UTF-8 became one U+FFFD; the letters around them stay.
    EXPECT_EQ((*doc)["invalid"].text(), "a\xEF\xBF\xBD" "b\xEF\xBF\xBD" "c\xEF\xBF\xBD\xEF\xBF\xBD" "d\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"
                                        "e\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD" "f\xEF\xBF\xBD\xEF\xBF\xBD");
    EXPECT_EQ((*doc)["cyrillic \xE2\x82\xAC"].text(), "Пуск");
    EXPECT_EQ((*doc)["numbers"][0].number(), 18446744073709551615.0);
    EXPECT_EQ((*doc)["numbers"][1].number(), -42);
    EXPECT_EQ((*doc)["numbers"][2].number(), 200);
    EXPECT_TRUE((*doc)["empty"].object().empty());
    EXPECT_TRUE((*doc)["nothing"].array().empty());
    EXPECT_TRUE((*doc)["flags"][0].flag());
    EXPECT_TRUE((*doc)["flags"][2].is_null());
    EXPECT_TRUE(json.text().ends_with("}\n"));
}

}  // namespace
}  // namespace ztv
