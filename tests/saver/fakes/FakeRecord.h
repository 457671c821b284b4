#pragma once
// Where the stand-ins of the Windows 9x password libraries record what the
// saver asked of them, and read how to answer.
#define QV_FAKE_RECORD_KEY "Software\\Quorvane Tests\\Password"
