#include "upgrade/KeyValueFile.h"

#include "upgrade/XFile.h"

KeyValueText ReadKeyValueFile(const char* path) {
    XFile file;
    if (!path || !file.Load(path) || file.GetSize() == 0)
        return KeyValueText();
    return KeyValueText(file.GetData(), file.GetSize());
}
