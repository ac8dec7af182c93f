#include "app/open_request.h"

#include <gtest/gtest.h>

#include <string>

namespace ztv {
namespace {

// The start of an absolute path on this system.
#if defined(_WIN32)
const std::string kRoot = "C:/";
#else
const std::string kRoot = "/";
#endif

TEST(OpenRequest, APathTravelsAsOneLineAndComesBackWhole) {
    const std::string path = kRoot + "home/installer/машины/Camry 2019.ZTV";
    const auto request = encode_open_request(path);
    ASSERT_TRUE(request.has_value());
    EXPECT_EQ(*request, path + "\n");
    // Arriving in pieces: nothing until the line feed.
    EXPECT_EQ(parse_open_request(request->substr(0, 10)).state, OpenRequestState::Incomplete);
    const ParsedOpenRequest parsed = parse_open_request(*request);
    EXPECT_EQ(parsed.state, OpenRequestState::Complete);
    EXPECT_EQ(parsed.path, path);
}

TEST(OpenRequest, PathsThatCannotTravelAreNotSent) {
    EXPECT_FALSE(encode_open_request("").has_value());
    EXPECT_FALSE(encode_open_request("a\nb.ZTV").has_value());
    EXPECT_FALSE(encode_open_request("a\rb.ZTV").has_value());
    EXPECT_FALSE(encode_open_request(std::string("a\0b", 3)).has_value());
    EXPECT_FALSE(encode_open_request(kRoot + std::string(kMaxOpenRequestBytes - kRoot.size(), 'x')).has_value());
    EXPECT_TRUE(encode_open_request(kRoot + std::string(kMaxOpenRequestBytes - kRoot.size() - 1, 'x')).has_value());
}

TEST(OpenRequest, WhatNoSecondCopySendsIsRefused) {
    EXPECT_EQ(parse_open_request("\n").state, OpenRequestState::Refused);
    EXPECT_EQ(parse_open_request("a.ZTV\nb.ZTV\n").state, OpenRequestState::Refused);
    EXPECT_EQ(parse_open_request("a.ZTV\r\n").state, OpenRequestState::Refused);
    EXPECT_EQ(parse_open_request(std::string("/a\0b\n", 5)).state, OpenRequestState::Refused);
    // A relative path would be found from the running copy's folder, not the asker's.
    EXPECT_EQ(parse_open_request("car.ZTV\n").state, OpenRequestState::Refused);
    EXPECT_EQ(parse_open_request("../car.ZTV\n").state, OpenRequestState::Refused);
    // A name that is not UTF-8 (Windows-1251 here) travels as the bytes it is.
    EXPECT_EQ(parse_open_request(kRoot + "home/\xCC\xE0\xF8\xE8\xED\xE0.ZTV\n").path, kRoot + "home/\xCC\xE0\xF8\xE8\xED\xE0.ZTV");
    // A line that never ends is refused once it is longer than any request.
    EXPECT_EQ(parse_open_request(std::string(kMaxOpenRequestBytes - 1, 'x')).state, OpenRequestState::Incomplete);
    EXPECT_EQ(parse_open_request(std::string(kMaxOpenRequestBytes, 'x')).state, OpenRequestState::Refused);
    EXPECT_EQ(parse_open_request(std::string(kMaxOpenRequestBytes, 'x') + "\n").state, OpenRequestState::Refused);
}

}  // namespace
}  // namespace ztv
