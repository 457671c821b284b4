// vqdtool commands on the container: info, embed, extract, append.
#pragma once

int RunInfo(int argc, char** argv);
int RunEmbed(int argc, char** argv);
int RunExtract(int argc, char** argv);
int RunAppend(int argc, char** argv);
