// What the saver window plays. A "Path" that names a file (or none: the
// recording the program carries) plays on the window as it always has. A
// folder plays its recordings one after another, each to its end; with "Play
// on every monitor" every monitor follows the list on its own, showing
// another recording than the others while the folder has enough.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "recording/RecordingFile.h"
#include "saver/Playlist.h"

class SaverConfigDlg;

class PlaybackScreens {
  public:
    struct Screen {
        RecordingFile* recording = nullptr;  // never null while open
        int monitor = 0;                     // the one it paints, or kAllMonitors
    };

    PlaybackScreens() = default;
    PlaybackScreens(const PlaybackScreens&) = delete;
    PlaybackScreens& operator=(const PlaybackScreens&) = delete;
    ~PlaybackScreens() { Close(); }

    // Opens the first recording of each screen (one, or one a monitor for a
    // folder on every monitor) and decodes its first picture; the clocks
    // stay paused until Resume.
    void Open(SaverConfigDlg& config, int monitors);
    void Close();

    int Count() const { return int(screens.size()); }
    const Screen& At(int i) const { return screens[size_t(i)]; }
    bool AnyOpen() const;
    void Pause();
    void Resume();
    // The highest rates among the screens' recordings, for the timers.
    uint32_t FrameRate() const;
    uint32_t SecondaryRate() const;

    // When the screen's recording of a folder has ended and its last picture
    // has shown for a frame's time, the next one that opens begins, its first
    // picture decoded; true then. Without "Auto repeat" the list ends once.
    bool Advance(int screen);

  private:
    struct FolderScreen {
        std::unique_ptr<RecordingFile> reader;
        size_t position = Playlist::kEnd;  // kEnd: nothing more to play
        uint32_t endedAt = 0;              // when the recording was seen ended; 0: not yet
    };
    void OpenFolder(SaverConfigDlg& config, int monitors);
    bool OpenFrom(int screen, size_t position);
    bool Load(int screen, size_t position);
    bool ShownElsewhere(int screen, size_t position) const;

    std::vector<Screen> screens;
    std::vector<FolderScreen> folderScreens;  // none when a single recording plays
    Playlist playlist;
    std::string folder;
    bool repeat = false;
    bool quick = false;
};
