// The commands of upgrade-sign; each takes the arguments after its name and
// returns the exit code (0 success, 1 a file or signature is bad, 2 usage).
#pragma once

// keygen --out DIR: writes DIR/private.pem and DIR/public.txt (one base64
// line), refusing to replace either.
int RunKeygen(int argc, char** argv);
// manifest --key PRIVATE.pem [--installer FILE] MANIFEST: with --installer,
// adds or refreshes InstallerSHA256 in MANIFEST first; then writes the
// signature of its bytes to MANIFEST.sig.
int RunSignManifest(int argc, char** argv);
// verify --pub PUBLIC MANIFEST: whether MANIFEST.sig verifies over MANIFEST
// under the public key and MANIFEST names an installer hash, as a saver checks.
int RunVerify(int argc, char** argv);
// The usage text on stderr; returns 2.
int ReportUpgradeSignUsage();
