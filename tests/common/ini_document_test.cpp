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
    // Byte for byte, line ends and all; the byte-order mark another program wrote stays too.
    EXPECT_EQ(unix_doc.serialize(), "\xEF\xBB\xBF[S]\nk=1\rm=2");
}

TEST(IniDocument, AFileWithLfLineEndsStaysLfWhenWrittenOver) {
    std::string text = "; notes\n[A]\nx=1\n\n[B]\r\nz=3\n";
    for (int i = 0; i < 100; ++i) text += "line" + std::to_string(i) + "=value\n";
    auto doc = IniDocument::parse(text);
    doc.set("A", "x", "2");  // replaced in place: keeps its LF
    doc.set("A", "y", "5");  // added: takes the file's LF
    doc.set("C", "k", "v");  // new section: LF too
    const std::string out = doc.serialize();
    EXPECT_EQ(out.substr(0, 26), "; notes\n[A]\nx=2\ny=5\n\n[B]\r\n");  // the one CR LF line keeps it
    EXPECT_EQ(out.substr(out.size() - 8), "[C]\nk=v\n");
    EXPECT_EQ(out.size(), text.size() + 12);  // only what was added, not a byte per line
    // Saving the result over again changes nothing further.
    EXPECT_EQ(IniDocument::parse(out).serialize(), out);
}

TEST(IniDocument, ALastLineWithoutAnEndGetsOneOnlyWhenSomethingFollowsIt) {
    auto doc = IniDocument::parse("[A]\r\nx=1");
    EXPECT_EQ(doc.serialize(), "[A]\r\nx=1");
    doc.set("A", "x", "2");
    EXPECT_EQ(doc.serialize(), "[A]\r\nx=2");
    doc.set("A", "y", "3");
    EXPECT_EQ(doc.serialize(), "[A]\r\nx=2\r\ny=3\r\n");
    EXPECT_EQ(IniDocument().serialize(), "");
    IniDocument fresh;
    fresh.set("S", "k", "v");
    EXPECT_EQ(fresh.serialize(), "[S]\r\nk=v\r\n");  // a new text uses CR LF
}

TEST(IniDocument, ControlBytesInWrittenTextNeverBreakALine) {
    IniDocument doc;
    doc.set("S", "first", "a\r\n[X]\nevil=1\x01\x7F");
    doc.set("S", "second", "kept");
    doc.set("T", "k\r", "\tv");
    const std::string text = doc.serialize();
    EXPECT_EQ(text, "[S]\r\nfirst=a  [X] evil=1  \r\nsecond=kept\r\n[T]\r\nk = v\r\n");
    const auto back = IniDocument::parse(text);
    EXPECT_FALSE(back.has_section("X"));
    EXPECT_FALSE(back.get("S", "evil").has_value());
    EXPECT_EQ(back.get("S", "first"), "a  [X] evil=1");
    EXPECT_EQ(back.get("S", "second"), "kept");
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
