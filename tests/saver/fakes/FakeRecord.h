#pragma once
// Where the stand-in of the Windows 9x MPR.DLL records what the saver asked of it.
#define QV_FAKE_RECORD_KEY "Software\\Quorvane Tests\\Password"
