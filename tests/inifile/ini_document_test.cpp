#include "inifile/ini_document.h"

#include <gtest/gtest.h>

namespace {

using inifile::CIniDocument;

// Applies one edit and checks that it reports exactly the bytes it changed,
// since only those are written back to the file.
std::string Edit(const std::string& text, const char* section, const char* key, const char* value) {
    CIniDocument document(text);
    const CIniDocument::Change change = document.Set(section, key, value);
    const std::string edited = document.Text();
    EXPECT_EQ(edited.substr(0, change.offset), text.substr(0, change.offset));
    EXPECT_EQ(edited.substr(change.offset + change.inserted),
              text.substr(change.offset + change.removed));
    EXPECT_EQ(document.Text(change.offset, change.inserted),
              edited.substr(change.offset, change.inserted));
    EXPECT_EQ(document.Size(), edited.size());
    EXPECT_EQ(CIniDocument(edited).Find(section, key), value);
    return edited;
}

TEST(IniDocument, ParsingAloneKeepsEveryByte) {
    const std::string text = "\r\n; note\r\n[A]\r\r\n  Key = \"v\" \n\n[B\rname=x\r\nlast";
    EXPECT_EQ(CIniDocument(text).Text(), text);
    EXPECT_EQ(CIniDocument(text).Text(5, 9), text.substr(5, 9));
}

TEST(IniDocument, ReplacingAValueTouchesOnlyWhatFollowsTheEquals) {
    const std::string text = "; top\r\n[Rule1]\r\n  Name =  \"old\" \r\n\r\nEnable=1\r\n";
    EXPECT_EQ(Edit(text, "RULE1", "name", "new"),
              "; top\r\n[Rule1]\r\n  Name =new\r\n\r\nEnable=1\r\n");
    EXPECT_EQ(Edit("[S]\nFlag\nB=1\n", "S", "Flag", "2"), "[S]\nFlag=2\nB=1\n");
    EXPECT_EQ(Edit("[S]\rK=long value\rL=1\r", "S", "K", "x"), "[S]\rK=x\rL=1\r");
}

TEST(IniDocument, NewKeyFollowsTheLastEntryOfItsSection) {
    EXPECT_EQ(Edit("[A]\nX=1\n\n; about B\n[B]\nY=2\n", "a", "Z", "3"),
              "[A]\nX=1\nZ=3\r\n\n; about B\n[B]\nY=2\n");
    EXPECT_EQ(Edit("[A]\n;Z=1\n[B]\n", "A", "Z", "3"), "[A]\nZ=3\r\n;Z=1\n[B]\n");
    EXPECT_EQ(Edit("[A]\nX=1", "A", "Z", "3"), "[A]\nX=1\r\nZ=3\r\n");
    // Only the first of duplicate sections takes writes, as it alone is read.
    EXPECT_EQ(Edit("[A]\nX=1\n[a]\nY=2\n", "A", "Y", "3"), "[A]\nX=1\nY=3\r\n[a]\nY=2\n");
}

TEST(IniDocument, NewSectionGoesAtTheEndOnALineOfItsOwn) {
    EXPECT_EQ(Edit("", "Tarnlink", "RulesCount", "0"), "[Tarnlink]\r\nRulesCount=0\r\n");
    EXPECT_EQ(Edit("[A]\nX=1\n\n", "B", "Y", "2"), "[A]\nX=1\n\n[B]\r\nY=2\r\n");
    EXPECT_EQ(Edit("[A]\nX=1", "B", "Y", "2"), "[A]\nX=1\r\n[B]\r\nY=2\r\n");
    EXPECT_EQ(Edit("K=before any section", "K", "Y", "2"),
              "K=before any section\r\n[K]\r\nY=2\r\n");
    // A bracket line without its closing bracket is a key, not a section.
    EXPECT_EQ(Edit("[A\nX=1\n", "A", "X", "2"), "[A\nX=1\n[A]\r\nX=2\r\n");
}

} // namespace
