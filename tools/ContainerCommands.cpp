#include "ContainerCommands.h"

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "RecordingProbe.h"
#include "ToolOutput.h"
#include "recording/CertificateTable.h"
#include "recording/ExeRecordingFile.h"

namespace {

std::string Text(const char* field, size_t size) {
    return std::string(field, strnlen(field, size));
}

int ReportProbeError(const char* path, const RecordingProbe& p) {
    static const char* const kWhy[][2] = {
        {"cannotopen", "cannot be opened"},
        {"badtrailer", "ends with the trailer magic but has no room for a trailer"},
        {"badmagic", "no \"VQD \" magic: not a recording"},
        {"badversion", "unsupported version (0x00010001 expected)"},
        {"shortheader", "header cut short"},
    };
    for (const auto& why : kWhy)
        if (p.error == why[0])
            return ReportBadFile(path, p.errorOffset, why[1]);
    return ReportBadFile(path, p.errorOffset, p.error);
}

// A recording whose prefix, header and record chain are all sound.
bool ProbeWhole(const char* path, RecordingProbe& p, int& exitCode) {
    p = ProbeRecording(path);
    if (!p.error.empty())
        exitCode = ReportProbeError(path, p);
    else if (!p.chainComplete)
        exitCode = ReportBadFile(path, p.breakOffset, p.breakReason);
    else
        return true;
    return false;
}

// Embedding behind a signature would leave the recording where no reader
// looks for it and break the signature: the recording goes in first.
const char kSignedHost[] =
    "signed program: embed the recording before signing, then sign the result";

bool IsSigned(const std::string& path, CertificateTable& table) {
    LockedFile f;
    const bool found = f.Open(path.c_str(), LockedFile::kRead) && FindCertificateTable(f, table);
    f.Close();
    return found;
}

bool CopyRange(std::ifstream& in, uint64_t from, uint64_t count, std::ofstream& out) {
    std::vector<char> chunk(1 << 16);
    in.seekg(std::streamoff(from));
    while (count > 0 && in) {
        const size_t n = size_t(count < chunk.size() ? count : chunk.size());
        in.read(chunk.data(), std::streamsize(n));
        out.write(chunk.data(), in.gcount());
        count -= uint64_t(in.gcount());
    }
    return count == 0 && bool(out);
}

}  // namespace

int RunInfo(int argc, char** argv) {
    if (argc != 1)
        return ReportUsage("vqdtool info FILE");
    const RecordingProbe p = ProbeRecording(argv[0]);
    if (!p.error.empty())
        return ReportProbeError(argv[0], p);
    const RecordingHeader& h = p.header;
    std::printf("file:           %s\n", argv[0]);
    std::printf("kind:           %s\n",
                p.embedded ? "recording appended to an executable" : "plain recording");
    std::printf("embeddedStart:  %u\n", p.embeddedStart);
    std::printf("dataStart:      %u\n", p.dataStart);
    std::printf("dataEnd:        %u\n", p.dataEnd);
    if (p.signedImage)
        std::printf("signature:      certificate table at %u, %u bytes\n", p.certificates.offset,
                    p.certificates.size);
    std::printf("frameRate:      %u\n", h.frameRate);
    std::printf("secondaryRate:  %u\n", h.secondaryRate);
    std::printf("duration:       %u.%03u s\n", h.durationSeconds, h.durationMilliseconds);
    std::printf("title:          %s\n", Text(h.title, sizeof h.title).c_str());
    std::printf("author:         %s\n", Text(h.author, sizeof h.author).c_str());
    std::printf("description:    %s\n", Text(h.description, sizeof h.description).c_str());
    std::printf("records:        %u\n", p.records);
    std::printf("delay sum:      %llu ms\n", static_cast<unsigned long long>(p.delaySum));
    if (p.chainComplete) {
        std::printf("record chain:   complete\n");
        return kExitOk;
    }
    std::printf("record chain:   breaks at offset %u: %s\n", p.breakOffset, p.breakReason.c_str());
    return ReportBadFile(argv[0], p.breakOffset, p.breakReason);
}

int RunEmbed(int argc, char** argv) {
    const std::string out = TakeOutputOption(argc, argv);
    if (argc != 2 || out.empty())
        return ReportUsage("vqdtool embed HOST RECORDING -o OUT");
    const std::string host = argv[0], recording = argv[1];
    if (SameFile(out, host) || SameFile(out, recording))
        return ReportUsage("vqdtool embed: OUT must not be an input");
    int code = kExitOk;
    RecordingProbe p;
    if (!ProbeWhole(recording.c_str(), p, code))
        return code;
    std::ifstream hostIn(host, std::ios::binary | std::ios::ate);
    if (!hostIn)
        return ReportBadFile(host, 0, "cannot be opened");
    CertificateTable table;
    if (IsSigned(host, table))
        return ReportBadFile(host, table.offset, kSignedHost);
    const uint64_t hostSize = uint64_t(hostIn.tellg());
    const uint64_t length = p.dataEnd - p.embeddedStart;
    const bool written = WriteOutputFile(out, [&](const std::string& temp) {
        std::ofstream o(temp, std::ios::binary | std::ios::trunc);
        std::ifstream recIn(recording, std::ios::binary);
        if (!CopyRange(hostIn, 0, hostSize, o) || !CopyRange(recIn, p.embeddedStart, length, o))
            return false;
        uint8_t trailer[vqd::kTrailerSize];
        vqd::WriteU32(trailer, uint32_t(length));
        vqd::WriteU32(trailer + 4, vqd::kMagic);
        o.write(reinterpret_cast<const char*>(trailer), sizeof trailer);
        o.close();
        return bool(o) && hostSize + length + vqd::kTrailerSize <= MediaFile::kLargestFileSize;
    });
    return written ? kExitOk : ReportBadFile(out, 0, "cannot be written");
}

int RunExtract(int argc, char** argv) {
    const std::string out = TakeOutputOption(argc, argv);
    if (argc != 1 || out.empty())
        return ReportUsage("vqdtool extract FILE -o OUT.vqd");
    const std::string file = argv[0];
    if (SameFile(out, file))
        return ReportUsage("vqdtool extract: OUT must not be the input");
    int code = kExitOk;
    RecordingProbe p;
    if (!ProbeWhole(file.c_str(), p, code))
        return code;
    if (!p.embedded)
        return ReportBadFile(file, p.fileSize, "no recording is appended to this file");
    const bool written = WriteOutputFile(out, [&](const std::string& temp) {
        std::ifstream in(file, std::ios::binary);
        std::ofstream o(temp, std::ios::binary | std::ios::trunc);
        const bool copied = CopyRange(in, p.embeddedStart, p.dataEnd - p.embeddedStart, o);
        o.close();
        return copied && bool(o);
    });
    return written ? kExitOk : ReportBadFile(out, 0, "cannot be written");
}

int RunAppend(int argc, char** argv) {
    if (argc != 2)
        return ReportUsage("vqdtool append TARGET SOURCE");
    const char* target = argv[0];
    const char* source = argv[1];
    if (SameFile(target, source))
        return ReportUsage("vqdtool append: TARGET and SOURCE must differ");
    int code = kExitOk;
    RecordingProbe p;
    if (!ProbeWhole(target, p, code))
        return code;
    if (p.signedImage)
        return ReportBadFile(target, p.certificates.offset, kSignedHost);
    if (!ProbeWhole(source, p, code))
        return code;
    RecordingFile plain;
    ExeRecordingFile exe;
    RecordingFile& writer = IsEmbeddedRecording(target) ? exe : plain;
    if (!writer.Initialize() || !writer.AppendRecording(target, source))
        return ReportBadFile(target, 0, "the recording could not be appended");
    return kExitOk;
}
