#include "BatchLine.h"

#include "Globals.h"

const char* const g_aszRequestKeys[kRequestKeyCount] = {
    "scenery_name=",
    "zoom_level=",
    "plane_long=",
    "plane_lat=",
    "hi_res_textures_threshold_radius_m=",
    "low_res_textures_threshold_radius_m=",
};

CString ComposeBatchLine(const CString& strSettings, const CString& strArgument)
{
    CString strLine;
    for (const char* pszKey : g_aszRequestKeys) {
        strLine += g_keyText.GetValue(strSettings, pszKey);
        strLine += ';';
    }
    return strLine + strArgument;
}

CString CutBatchField(CString& strLine, int nField)
{
    const int p = strLine.Find(';');
    if (nField == kRequestKeyCount)
        return p < 0 ? strLine : strLine.Left(p);
    const CString strField = strLine.Left(p);
    if (p >= 0)
        strLine = strLine.Mid(p + 1);
    return strField;
}
