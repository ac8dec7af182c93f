#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>

#include "app/setup_options.h"
#include "support/manual_page.h"

namespace ztv {
namespace {

// The manual documents exactly the options the program's table knows, each with the values it
// takes: an option or a value added to the table without the manual (or left in the manual after
// it went) fails here.
TEST(SetupManual, DocumentsEveryOptionAndValueTheProgramTakes) {
    std::set<std::string> known;
    std::istringstream usage(setup_usage());
    for (std::string line; std::getline(usage, line);)
        if (line.starts_with("  -")) known.merge(test::option_forms(line.substr(2, line.find("  ", 2) - 2)));
    std::set<std::string> documented;
    for (const std::string& tag : test::manual_tags(ZTV_SETUP_MANUAL, "OPTIONS"))
        documented.merge(test::option_forms(tag));
    EXPECT_FALSE(known.empty());
    EXPECT_EQ(documented, known);
}

}  // namespace
}  // namespace ztv
