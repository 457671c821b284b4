#pragma once

// Numbers in the texts of HTTP response headers, and what the downloader
// makes of them.

// A status code read like atoi: the decimal digits after leading blanks, 0 when there are
// none. Values beyond 999999 are held at 999999 (still a server error).
unsigned ParseStatusCode(const char* text);

// A Content-Length value: decimal digits with optional surrounding blanks, at
// most 2147483647. Anything else (empty, signs, letters, overflow) is -1,
// the unknown length.
int ParseContentLength(const char* text);

// What the downloader makes of a response status: 1 to 399 go on (WinINet
// follows redirects itself), 500 and above are retried, everything else fails.
enum class StatusOutcome { Proceed, Fail, Retry };
StatusOutcome ClassifyStatus(unsigned status);
