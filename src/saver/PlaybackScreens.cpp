#include "saver/PlaybackScreens.h"

#include <windows.h>

#include <algorithm>

#include "playback/FramePresenter.h"
#include "recording/ExeRecordingFile.h"
#include "saver/FolderRecordings.h"
#include "saver/ModulePath.h"
#include "saver/SaverConfigDlg.h"

namespace {

// Plays from the first record, that record decoded.
void Start(RecordingFile& r, bool autoRepeat, bool quickPlay) {
    r.SetCaptureListener(ForgetPictures);
    r.SetAutoRepeat(autoRepeat);
    r.SetQuickPlay(quickPlay);
    r.Restart();
    r.PlayStep();
}

// Picks the reader by the file's content and opens the recording; an empty
// path means the recording appended to the program itself.
void OpenRecording(SaverConfigDlg& config) {
    if (config.recordingPath.empty()) {
        const ModulePath self;
        if (!IsEmbeddedRecording(self.Path()))
            return;
        config.currentFile = &config.exeFile;
        config.currentFile->Open(self.Path(), LockedFile::kRead);
        return;
    }
    const char* path = config.recordingPath.c_str();
    config.currentFile =
        IsEmbeddedRecording(path) ? static_cast<RecordingFile*>(&config.exeFile) : &config.vqdFile;
    config.currentFile->Open(path, LockedFile::kRead);
}

// Nothing more comes from the recording: it stopped at its end, it never
// had a record, it is cut short, or its file can no longer be read.
bool Ended(RecordingFile& r) {
    const RecordingFile::StreamStop stop = r.GetStreamStop();
    return !r.IsOpen() || !r.IsPlaying() || stop == RecordingFile::StreamStop::Truncated ||
           stop == RecordingFile::StreamStop::ZeroLength ||
           (stop == RecordingFile::StreamStop::End && r.GetReadPosition() <= r.GetDataStart());
}

}  // namespace

void PlaybackScreens::Open(SaverConfigDlg& config, int monitors) {
    Close();
    repeat = config.autoRepeat != 0;
    quick = config.quickPlay != 0;
    if (!config.recordingPath.empty() && IsFolder(config.recordingPath)) {
        OpenFolder(config, monitors);
    } else {
        OpenRecording(config);
        screens.push_back({config.currentFile, kAllMonitors});
        if (config.currentFile->IsOpen())
            Start(*config.currentFile, repeat, quick);
    }
    Pause();
}

void PlaybackScreens::OpenFolder(SaverConfigDlg& config, int monitors) {
    folder = config.recordingPath;
    const uint32_t seed = GetTickCount() ^ GetCurrentProcessId() * 2654435761u;
    playlist.Arrange(FolderRecordings(folder), config.shuffle != 0, config.lastFirstRecording,
                     seed);
    const int count = std::max(monitors, 1);
    screens.resize(size_t(count));
    folderScreens.resize(size_t(count));
    for (int i = 0; i < count; ++i) {
        screens[size_t(i)].monitor = count > 1 ? i : kAllMonitors;
        OpenFrom(i, playlist.Size() ? size_t(i) % playlist.Size() : Playlist::kEnd);
    }
    const size_t first = folderScreens.front().position;
    if (first != Playlist::kEnd)
        config.SaveFirstRecording(playlist.At(first));
}

void PlaybackScreens::Close() {
    for (const Screen& s : screens)
        s.recording->Close();
    for (FolderScreen& f : folderScreens)
        f.reader->Release();
    folderScreens.clear();
    screens.clear();
}

bool PlaybackScreens::AnyOpen() const {
    for (const Screen& s : screens)
        if (s.recording->IsOpen())
            return true;
    return false;
}

void PlaybackScreens::Pause() {
    for (const Screen& s : screens)
        if (s.recording->IsOpen())
            s.recording->Pause();
}

void PlaybackScreens::Resume() {
    for (const Screen& s : screens)
        if (s.recording->IsPaused())
            s.recording->Resume();
}

uint32_t PlaybackScreens::FrameRate() const {
    uint32_t rate = 0;
    for (const Screen& s : screens)
        rate = std::max(rate, s.recording->GetFrameRate());
    return rate;
}

uint32_t PlaybackScreens::SecondaryRate() const {
    uint32_t rate = 0;
    for (const Screen& s : screens)
        rate = std::max(rate, s.recording->GetSecondaryRate());
    return rate;
}

bool PlaybackScreens::ShownElsewhere(int screen, size_t position) const {
    for (size_t i = 0; i < folderScreens.size(); ++i)
        if (int(i) != screen && folderScreens[i].position == position && folderScreens[i].reader &&
            folderScreens[i].reader->IsOpen())
            return true;
    return false;
}

// The old recording's file and buffers go before the next one opens.
bool PlaybackScreens::Load(int screen, size_t position) {
    FolderScreen& f = folderScreens[size_t(screen)];
    if (f.reader) {
        f.reader->Close();
        f.reader->Release();
    }
    const std::string path = InFolder(folder, playlist.At(position));
    if (IsEmbeddedRecording(path.c_str()))
        f.reader = std::make_unique<ExeRecordingFile>();
    else
        f.reader = std::make_unique<RecordingFile>();
    f.reader->Initialize();
    f.position = position;
    f.endedAt = 0;
    screens[size_t(screen)].recording = f.reader.get();
    if (!f.reader->Open(path.c_str(), LockedFile::kRead))
        return false;
    Start(*f.reader, false, quick);
    return true;
}

// From `position` on, the first recording that opens, one that no other
// screen shows first while the folder has more than there are screens; the
// list wraps around only when it repeats. Nothing opens (no recording in the
// folder, or the folder gone): the screen stays black with nothing more to
// play, its reader closed.
bool PlaybackScreens::OpenFrom(int screen, size_t position) {
    const size_t size = playlist.Size();
    const bool avoidOthers = size > screens.size();
    for (int pass = avoidOthers ? 0 : 1; pass < 2 && position != Playlist::kEnd; ++pass)
        for (size_t k = 0; k < size; ++k) {
            const size_t at = (position + k) % size;
            if (!repeat && at < position)
                break;
            if ((pass == 0 && ShownElsewhere(screen, at)) || !Load(screen, at))
                continue;
            return true;
        }
    FolderScreen& f = folderScreens[size_t(screen)];
    if (!f.reader) {  // an empty folder: a reader that never opens
        f.reader = std::make_unique<RecordingFile>();
        f.reader->Initialize();
        screens[size_t(screen)].recording = f.reader.get();
    }
    f.position = Playlist::kEnd;
    return false;
}

bool PlaybackScreens::Advance(int screen) {
    if (folderScreens.empty())
        return false;
    FolderScreen& f = folderScreens[size_t(screen)];
    if (f.position == Playlist::kEnd || !Ended(*f.reader))
        return false;
    // The last picture shows for a frame's time at the recording's rate.
    const uint32_t now = GetTickCount() | 1;
    if (f.endedAt == 0)
        f.endedAt = now;
    if (now - f.endedAt < 1000 / std::max(1u, f.reader->GetFrameRate()))
        return false;
    const size_t next = playlist.Next(f.position, repeat);
    if (next == Playlist::kEnd) {
        f.position = Playlist::kEnd;
        return false;
    }
    OpenFrom(screen, next);
    return true;
}
