#include "common/ini_document.h"

#include <gtest/gtest.h>

namespace ztv {
namespace {

TEST(IniDocument, ReadsSectionsAndKeysWithoutRegardToCaseFirstMatchWinning) {
    const auto doc = IniDocument::parse(
        "; comment\r\n[Param]\r\n  Touch_Mode = 3 \r\nTOUCH_MODE=4\r\n[param]\r\nENC0DIV=7\r\n[Other]\nname=\"quoted value\"\n");
    EXPECT_EQ(doc.get("PARAM", "touch_mode"), "3");
    // A second section of the same name is never consulted.
    EXPECT_FALSE(doc.get("PARAM", "ENC0DIV").has_value());
    EXPECT_EQ(doc.get("other", "NAME"), "quoted value");
    EXPECT_FALSE(doc.get("missing", "x").has_value());
    EXPECT_FALSE(doc.get("Param", "missing").has_value());
}

TEST(IniDocument, WritingReplacesInPlaceAppendsToSectionOrCreatesIt) {
    auto doc = IniDocument::parse("top line\r\n[A]\r\nx=1\r\ny=2\r\n\r\n[B]\r\nz=3\r\n");
    doc.set("a", "Y", "20");   // replaced where it stands
    doc.set("A", "w", "5");    // appended after the last key of A, before its blank line
    doc.set("C", "k", "v");    // new section at the end
    EXPECT_EQ(doc.serialize(), "top line\r\n[A]\r\nx=1\r\nY=20\r\nw=5\r\n\r\n[B]\r\nz=3\r\n[C]\r\nk=v\r\n");
    EXPECT_EQ(doc.get("A", "y"), "20");
    EXPECT_EQ(doc.get("a", "W"), "5");
}

TEST(IniDocument, KeepsForeignLinesVerbatimAndAcceptsAnyLineEnd) {
    const std::string text = "[Foreign]\r\n  odd line without equals \r\nKey = spaced \r\n";
    auto doc = IniDocument::parse(text);
    EXPECT_EQ(doc.serialize(), text);
    auto unix_doc = IniDocument::parse("\xEF\xBB\xBF[S]\nk=1\rm=2");
    EXPECT_EQ(unix_doc.get("S", "k"), "1");
    EXPECT_EQ(unix_doc.get("S", "m"), "2");
    EXPECT_EQ(unix_doc.serialize(), "[S]\r\nk=1\r\nm=2\r\n");
}

TEST(IniDocument, EmptyValuesAndKeysThatAppearAfterAppendingStayFindable) {
    auto doc = IniDocument::parse("[S]\r\nempty=\r\n\r\n");
    EXPECT_EQ(doc.get("S", "empty"), "");
    for (int i = 0; i < 20; ++i) doc.set("S", "K" + std::to_string(i), std::to_string(i));
    for (int i = 0; i < 20; ++i) EXPECT_EQ(doc.get("S", "k" + std::to_string(i)), std::to_string(i));
    EXPECT_EQ(doc.get("S", "empty"), "");
}

}  // namespace
}  // namespace ztv
