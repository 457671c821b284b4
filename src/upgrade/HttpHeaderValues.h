#pragma once

// Numbers in the texts of HTTP response headers.

// A status code read like atoi: the decimal digits after leading blanks, 0 when there are
// none. Values beyond 999999 are held at 999999 (still a server error).
unsigned ParseStatusCode(const char* text);

// A Content-Length value: decimal digits with optional surrounding blanks, at
// most 2147483647. Anything else (empty, signs, letters, overflow) is -1,
// the unknown length.
int ParseContentLength(const char* text);
