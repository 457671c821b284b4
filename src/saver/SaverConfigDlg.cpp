#include "saver/SaverConfigDlg.h"

#include "resources/ResourceIds.h"
#include "upgrade/VersionInfo.h"

SaverConfigDlg::SaverConfigDlg() : CScreenSaverDlg(IDD_CONFIG), currentFile(&vqdFile)
{
    VersionInfo version;
    if (version.Open())
        version.Fill(versionStrings);
    version.Close();
    vqdFile.Initialize();
    exeFile.Initialize();
    fileTypes = {&vqdFile, &exeFile};
}

SaverConfigDlg::~SaverConfigDlg()
{
    vqdFile.Release();
    exeFile.Release();
}

void SaverConfigDlg::DoDataExchange(CDataExchange& exchange)
{
    DDX_Text(exchange, IDC_RECORDING_PATH, recordingPath);
    DDX_Check(exchange, IDC_AUTO_REPEAT, autoRepeat);
    DDX_Check(exchange, IDC_QUICK_PLAY, quickPlay);
    DDX_Check(exchange, IDC_DRAW_MOUSE_CLICKS, drawMouseClicks);
    DDX_Check(exchange, IDC_SCALE_TO_FIT, scaleToFit);
}
