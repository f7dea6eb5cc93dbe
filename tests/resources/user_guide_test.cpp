// The user guide names every menu command and every key the program
// answers, so that a command added to the menu or the key table without a
// word in the guide is noticed.
#include "resources/resources.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

namespace orv {
namespace {

std::string guide() {
    std::ifstream in(ORV_SOURCE_DIR "/docs/user-guide.md");
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The key as the guide writes it: "F4", "Esc", "Alt+C", "Ctrl+Alt+D".
std::string keyName(const ACCEL& accel) {
    std::string name;
    name += (accel.fVirt & FCONTROL) != 0 ? "Ctrl+" : "";
    name += (accel.fVirt & FALT) != 0 ? "Alt+" : "";
    if (accel.key >= VK_F1 && accel.key <= VK_F12) {
        return name + "F" + std::to_string(accel.key - VK_F1 + 1);
    }
    if (accel.key == VK_ESCAPE) {
        return name + "Esc";
    }
    return name + static_cast<char>(accel.key);
}

void expectNamed(const std::string& text, const std::vector<MenuTemplateItem>& items) {
    for (const MenuTemplateItem& item : items) {
        std::string label = item.text;
        label.erase(label.find_last_not_of(' ') + 1);
        if (!label.empty()) {
            EXPECT_NE(text.find(label), std::string::npos) << "the guide lacks \"" << label << '"';
        }
        expectNamed(text, item.items);
    }
}

TEST(UserGuide, NamesEveryMenuTitleAndCommand) {
    const std::string text = guide();
    ASSERT_FALSE(text.empty());
    expectNamed(text, MainMenuTemplate());
}

TEST(UserGuide, NamesEveryKeyInATableOrInBold) {
    const std::string text = guide();
    ASSERT_FALSE(text.empty());
    for (const ACCEL& accel : MainAcceleratorTable()) {
        const std::string key = keyName(accel);
        const bool inTable = text.find("| " + key + " |") != std::string::npos;
        const bool inBold = text.find("**" + key + "**") != std::string::npos;
        EXPECT_TRUE(inTable || inBold) << "the guide lacks the key " << key;
    }
    EXPECT_NE(text.find("**Tab**"), std::string::npos);
}

TEST(UserGuide, NamesThePdfThatHelpPointsTo) {
    EXPECT_NE(guide().find("\"WJ Orvantis.pdf\""), std::string::npos);
}

} // namespace
} // namespace orv
