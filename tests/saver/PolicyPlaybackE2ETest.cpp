// The recording that a policy names plays in the real saver whatever the user
// chose, and the computer's policy wins over the user's.
#include "PlaybackFixture.h"

using namespace playback_e2e;

namespace {
const char policyKey[] = "Software\\Policies\\Quorvane\\Screen Saver";

class PolicyPlayback : public PlaybackE2E {
  protected:
    void SetUp() override {
        PlaybackE2E::SetUp();
        DeletePolicies();
    }
    void TearDown() override {
        PlaybackE2E::TearDown();
        DeletePolicies();
    }
    static void DeletePolicies() {
        e2e::DeleteKeyTree(policyKey, HKEY_LOCAL_MACHINE);
        e2e::DeleteKeyTree(policyKey);
    }
};
}  // namespace

// Recordings of two, three and four pictures end on different pictures.
TEST_F(PolicyPlayback, TheRecordingAPolicyNamesPlaysWhateverTheUserChose) {
    TestRecording own, user, computer;
    own.frames = 2;
    user.frames = 3;
    const std::string ownPath = own.Write("own.vqd"), userPath = user.Write("user.vqd");
    const std::string computerPath = computer.Write("computer.vqd");
    ASSERT_TRUE(e2e::WriteString(policyKey, "Path", e2e::WindowsPath(userPath)));
    PlayExpecting({ownPath}, userPath, user.capture);
    End();
    ASSERT_TRUE(
        e2e::WriteString(policyKey, "Path", e2e::WindowsPath(computerPath), HKEY_LOCAL_MACHINE));
    PlayExpecting({ownPath}, computerPath, computer.capture);
}
