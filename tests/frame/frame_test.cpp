// The frame against a scripted clock and event list: ticks, sleeps, which key reaches what,
// games and their scores, the rectangle a game is shown in; the title picture file; screenshots.
#include "display/picture.h"
#include "frame/frame_state.h"
#include "frame/gamepad.h"
#include "frame/key_place.h"
#include "frame/main_loop.h"
#include "frame/screens.h"
#include "frame/screenshot.h"
#include "frame/title_picture.h"
#include "frame/window_size.h"
#include "support/platform_null.h"
#include "support/video_null.h"

#include <gtest/gtest.h>
#include <stb_image.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;
constexpr FrameEvent::Type PRESS = FrameEvent::PRESS, RELEASE = FrameEvent::RELEASE;

struct Frame : ::testing::Test {
    void SetUp() override { resetFrame(); }
};

// Queues `events`, moves the clock forward by `elapsed` and runs one pass.
bool passAfter(uint32_t elapsed, std::vector<FrameEvent> events = {}) {
    nullPlatform.events.insert(nullPlatform.events.end(), events.begin(), events.end());
    nullPlatform.now += elapsed;
    return runLoopIteration();
}

TEST_F(Frame, TicksAreWholeEighteenMillisecondsAtMost32APassAndOnlyATickRenders) {
    startGame(); // its first update counts as a tick run
    EXPECT_TRUE(passAfter(17));
    EXPECT_TRUE(topScreen().tickCount == 1u && frame.frameCounter == 0);
    EXPECT_TRUE(passAfter(1)); // the 17 ms are kept: one more (and the sleep) make a tick
    EXPECT_EQ(frame.frameCounter, 1);
    EXPECT_EQ(nullVideo.shownPictures, 0) << "the game's picture covers the front page's";
    EXPECT_EQ(nullVideo.shownGameImages, 1);
    // A game's picture fills the whole 128 x 96 view.
    EXPECT_EQ(std::vector<float>(nullVideo.gameRectangle, nullVideo.gameRectangle + 4),
              (std::vector<float>{0, 0, 128, 96}));
    const uint32_t ticks = topScreen().tickCount;
    EXPECT_TRUE(passAfter(5000)); // a stall runs 32 ticks and drops the rest
    EXPECT_EQ(topScreen().tickCount, ticks + 32);
    EXPECT_TRUE(frame.clock.tickRemainder < 18u && frame.frameCounter == 2);
    resetFrame(); // the clock may wrap around
    nullPlatform.now = 0xFFFFFFF0u;
    beginMainLoop();
    startGame();
    EXPECT_TRUE(passAfter(36));
    EXPECT_EQ(topScreen().tickCount, 2u);
}

TEST_F(Frame, SleepsLongOnceThenShortUntilATickRuns) {
    passAfter(0); // no tick: 9 ms
    passAfter(0); // the 9 ms make no tick either: 1 ms
    passAfter(8); // 18 ms in all: one tick after short sleeps, so 1 ms and long sleeps again
    passAfter(0);
    passAfter(9);  // a tick on the short path allows the long sleep again
    passAfter(17); // one tick: 6 ms
    EXPECT_EQ(nullPlatform.sleeps, (std::vector<uint32_t>{9, 1, 1, 9, 1, 6}));
}

TEST_F(Frame, OnTheFrontPageDownAndEscapeQuitWithoutRenderingAndOtherKeysStartAGame) {
    for (int key : std::vector<int>{KEY_UP, KEY_LEFT, KEY_RIGHT, KEY_Z, KEY_X, KEY_CODE_OTHER}) {
        // The press is the front page's; the release reaches the game, which holds nothing.
        EXPECT_TRUE(passAfter(18, {{PRESS, key}, {RELEASE, key}}));
        ASSERT_TRUE(frame.gameActive) << key;
        EXPECT_TRUE(topScreen().heldKeys.empty()) << key;
        // Escape ends the game; the key after it in the same batch starts the next one, whose
        // first update is this pass's tick.
        EXPECT_TRUE(passAfter(18, {{PRESS, KEY_CODE_ESCAPE}, {PRESS, KEY_CODE_OTHER}}));
        EXPECT_TRUE(frame.gameActive && topScreen().tickCount == 1u && frame.lastScore == 0);
        // Escape's release means nothing on the front page.
        EXPECT_TRUE(passAfter(18, {{PRESS, KEY_CODE_ESCAPE}, {RELEASE, KEY_CODE_ESCAPE}}));
        EXPECT_FALSE(frame.gameActive);
    }
    for (int key : std::vector<int>{KEY_DOWN, KEY_CODE_ESCAPE}) {
        resetFrame();
        EXPECT_FALSE(passAfter(18, {{PRESS, key}})) << key;
        EXPECT_TRUE(!frame.gameActive && frame.frameCounter == 0) << key;
    }
}

TEST_F(Frame, GameKeysArriveAsKeyIndicesAndOthersAreIgnored) {
    startGame();
    for (int key :
         std::vector<int>{KEY_UP, KEY_DOWN, KEY_LEFT, KEY_RIGHT, KEY_Z, KEY_X, KEY_CODE_OTHER})
        nullPlatform.events.push_back({PRESS, key});
    passAfter(0);
    EXPECT_EQ(topScreen().heldKeys, (std::vector<int>{0, 1, 2, 3, 4, 5}));
    passAfter(0, {{RELEASE, KEY_DOWN}, {RELEASE, KEY_Z}});
    EXPECT_EQ(topScreen().heldKeys, (std::vector<int>{0, 2, 3, 5}));
    EXPECT_FALSE(passAfter(18, {{FrameEvent::QUIT, 0}})); // closing the window: no score
    EXPECT_EQ(frame.lastScore, -1);
}

TEST_F(Frame, F11SwitchesTheWindowAndIsNoKeyOfTheFrontPageOrTheGame) {
    EXPECT_TRUE(
        passAfter(18, {{PRESS, KEY_CODE_SWITCH_WINDOW}, {RELEASE, KEY_CODE_SWITCH_WINDOW}}));
    EXPECT_TRUE(!frame.gameActive && nullPlatform.windowed);
    EXPECT_EQ(nullVideo.viewport, std::make_pair(40, 30)) << "the view follows the window";
    startGame();
    passAfter(18, {{PRESS, KEY_CODE_SWITCH_WINDOW}});
    EXPECT_TRUE(topScreen().heldKeys.empty() && !nullPlatform.windowed);
}

// Each change, and the key events it must make.
struct PadStep {
    PadControl control;
    int value;
    std::vector<std::pair<FrameEvent::Type, int>> events;
};

TEST(Gamepad, StickAndDpadHoldUpAndDownPastTheDeadZoneAndButtonsAreKeys) {
    const PadControl STICK = PadControl::STICK_VERTICAL, DPAD = PadControl::DPAD_VERTICAL;
    const std::vector<PadStep> steps = {
        {STICK, -20000, {{PRESS, KEY_UP}}},
        {STICK, -13000, {}},                 // still up
        {STICK, -5000, {{RELEASE, KEY_UP}}}, // back in the dead zone
        {STICK, 12000, {}},                  // the edge of the dead zone is still inside
        {STICK, 12001, {{PRESS, KEY_DOWN}}},
        {STICK, -32768, {{RELEASE, KEY_DOWN}, {PRESS, KEY_UP}}}, // thrown across: release first
        {DPAD, -1, {}},                                          // Up already held by the stick
        {STICK, 0, {}},                                          // and still by the d-pad
        {DPAD, 1, {{RELEASE, KEY_UP}, {PRESS, KEY_DOWN}}},
        {DPAD, 0, {{RELEASE, KEY_DOWN}}},
        {PadControl::BUTTON_BOTTOM, 1, {{PRESS, KEY_Z}}},
        {PadControl::BUTTON_BOTTOM, 0, {{RELEASE, KEY_Z}}},
        {PadControl::BUTTON_BACK, 1, {{PRESS, KEY_CODE_ESCAPE}}},
        {PadControl::BUTTON_OTHER, 1, {{PRESS, KEY_CODE_OTHER}}},
        {PadControl::BUTTON_OTHER, 0, {{RELEASE, KEY_CODE_OTHER}}},
    };
    PadState pad;
    for (size_t step = 0; step < steps.size(); step++) {
        FrameEvent made[2];
        const int count = padEvents(pad, steps[step].control, steps[step].value, made);
        std::vector<std::pair<FrameEvent::Type, int>> events;
        for (int index = 0; index < count; index++)
            events.push_back({made[index].type, made[index].key});
        EXPECT_EQ(events, steps[step].events) << "step " << step;
    }
}

TEST(WindowSize, TheLargestMultipleOfThePictureWithinNineTenthsOfTheDesktop) {
    EXPECT_EQ(windowScale(1280, 960), 9);   // 1152 x 864: both sides bind
    EXPECT_EQ(windowScale(1920, 1080), 10); // the height binds: 972 / 96
    EXPECT_EQ(windowScale(1366, 768), 7);   // 691 / 96
    EXPECT_EQ(windowScale(120, 90), 1);     // never smaller than the picture
}

TEST_F(Frame, EndedGamesLeaveTheirScoresAndNothingElse) {
    // Score of each game, then the last and best scores it leaves.
    const int32_t games[][3] = {{0, 0, 0}, {12, 12, 12}, {12, 12, 12}, {11, 11, 12}, {13, 13, 13}};
    for (const auto& [score, last, best] : games) {
        startGame();
        topScreen().score = score;
        endGame();
        EXPECT_TRUE(!frame.gameActive && frame.screenStack.empty());
        EXPECT_EQ(frame.lastScore, last) << score;
        EXPECT_EQ(frame.bestScore, best) << score;
    }
}

TEST_F(Frame, TitlePictureCellsLandInOrderUntilTheFirstBadNumber) {
    // Where the cells land and the order they come in is seen in the recorded front page.
    const struct {
        std::string text;
        int drawn;
        std::vector<std::array<int, 3>> cells; // x, y, index
    } cases[] = {
        {"", 0, {}},
        {"1 +2 -3 x 4", 3, {{33, 22, 2}, {34, 22, -3}, {35, 22, 0}}},
        {"259 -1 10 127 128 99999999999 4",
         5,
         {{32, 22, 3}, {33, 22, -1}, {34, 22, 10}, {36, 22, -128}, {38, 22, 0}}},
    };
    const auto drawnCells = [] {
        clearPicture();
        drawTitlePicture();
        return PICTURE_SIZE - std::count(pixelBuffer, pixelBuffer + PICTURE_SIZE, 0);
    };
    const std::string path = fs::temp_directory_path() / ("title_" + std::to_string(getpid()));
    for (const auto& c : cases) {
        std::ofstream(path) << c.text;
        EXPECT_TRUE(readTitlePicture(path.c_str()));
        EXPECT_EQ(drawnCells(), c.drawn) << "case " << &c - cases;
        for (auto [x, y, index] : c.cells) EXPECT_EQ(pixelAt(x, y), index) << &c - cases;
    }
    // A number that never ends (or a file still being written) is read no further than a
    // megabyte, with one line; read whole, its leading zeros would make it a 2.
    std::ofstream(path) << "1 " << std::string(2 << 20, '0') << "2 3";
    ::testing::internal::CaptureStderr();
    EXPECT_TRUE(readTitlePicture(path.c_str()));
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "tinyarcade: " + path +
                  ": stopped reading after 1048576 bytes, more than any picture takes; the rest "
                  "of the picture stays empty\n");
    EXPECT_EQ(drawnCells(), 1);
    std::remove(path.c_str()); // no file: nothing, not even what the last one held
    EXPECT_FALSE(readTitlePicture(path.c_str()));
    EXPECT_EQ(drawnCells(), 0);
}

// X key codes 52 and 53 are the keys left of x and of c; what the layouts give there (ru, gr, il
// as SDL 1.2 reports them through sdl12-compat, recorded under Xvfb with setxkbmap).
TEST(KeyPlace, ZAndXByPlaceOnlyWhereTheLayoutGivesNoAsciiCharacter) {
    const struct {
        int symbol, scancode, taken;
    } keys[] = {
        {'z', 52, 'z'}, {'x', 53, 'x'}, // us
        {'y', 52, 'y'}, {'z', 29, 'z'}, // de: the key labelled Z is z, the one left of x is y
        {'w', 52, 'w'}, {';', 52, ';'}, // fr, Dvorak
        {209, 52, 'z'}, {222, 53, 'x'}, // ru
        {230, 52, 'z'}, {247, 53, 'x'}, // gr
        {241, 53, 'x'}, {232, 29, 232}, // il, and another key of it
        {0, 52, 'z'},   {273, 52, 273}, // a key without a symbol; Up stays Up
    };
    for (const auto& key : keys) {
        EXPECT_EQ(symbolByPlace(key.symbol, key.scancode), key.taken)
            << key.symbol << " at " << key.scancode;
    }
}

std::string readFile(const char* name) {
    std::ifstream file(name);
    return {std::istreambuf_iterator<char>(file), {}};
}

TEST_F(Frame, ScreenshotsTakeTheFirstFreeNameTouchNothingElseAndSayWhyTheyCannot) {
    const fs::path previous = fs::current_path();
    const fs::path folder = fs::temp_directory_path() / ("shots_" + std::to_string(getpid()));
    fs::create_directories(folder);
    fs::current_path(folder);
    // Names taken before by a file, a link and a folder; three screenshots fill the gaps.
    std::ofstream("victim") << "mine";
    std::ofstream("screen1.png") << "an earlier picture";
    fs::create_symlink("victim", "screen2.png");
    fs::create_directory("screen4.png");
    for (int shot = 0; shot < 3; ++shot) takeScreenshot();
    std::set<std::string> left;
    for (const auto& entry : fs::directory_iterator(".")) left.insert(entry.path().filename());
    EXPECT_EQ(left, (std::set<std::string>{"victim", "screen0.png", "screen1.png", "screen2.png",
                                           "screen3.png", "screen4.png", "screen5.png"}));
    for (const char* name : {"screen0.png", "screen3.png", "screen5.png"}) {
        int width = 0, height = 0, channels = 0;
        unsigned char* pixels = stbi_load(name, &width, &height, &channels, 4);
        // The whole 40 x 30 window, top row first: the stand-in reads rows whose bytes hold
        // their number counted from the bottom.
        EXPECT_TRUE(pixels && width == 40 && height == 30 && pixels[0] == 29 &&
                    pixels[29 * 40 * 4] == 0)
            << name;
        stbi_image_free(pixels);
    }
    EXPECT_TRUE(readFile("screen1.png") == "an earlier picture" && readFile("victim") == "mine");
    // Nothing can be made in a folder that was removed, not even by root.
    fs::remove_all(folder);
    ::testing::internal::CaptureStderr();
    takeScreenshot();
    const std::string said = ::testing::internal::GetCapturedStderr();
    fs::current_path(previous);
    EXPECT_EQ(said, "tinyarcade: cannot save a screenshot in the working folder: No such file or "
                    "directory\n");
    EXPECT_EQ(frame.screenshotCounter, 6) << "the number waits";
}

} // namespace
