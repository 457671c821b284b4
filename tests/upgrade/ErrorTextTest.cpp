#include "upgrade/ErrorText.h"

#include <gtest/gtest.h>

#include <string>

// A place is cut to 519 characters; the text stays until the next one.
TEST(ErrorText, LongPlaceIsCut) {
    const std::string text = FormatOpenError("%s!", std::string(2000, 'p').c_str());
    EXPECT_EQ(text,
              "Can not open file!\n\n" + std::string(519, 'p') +
                  "\n\nPlease reboot your system or re-install the software, then try again!");
    EXPECT_EQ(LastErrorText(), text);
}
