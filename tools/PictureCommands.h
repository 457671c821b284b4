// vqdtool commands that decode or encode the pictures of a recording.
#pragma once

// dump --json FILE: the header and every record as JSON Lines.
int RunDump(int argc, char** argv);
// export FILE --out DIR [--every N] [--clicks]: the picture after records as PNG files.
int RunExport(int argc, char** argv);
// encode -o OUT.vqd (FOLDER | --raw WxH --pix FORMAT) [--fps N] [--title/--author/--description T].
int RunEncode(int argc, char** argv);
