#include "ToolRemoval.h"

#include "common/Globals.h"
#include "common/ProgramFolder.h"
#include "platform/FileSystem.h"

CString RemoveBatchTool(const CString& strFolder)
{
    const CString strTool = PathInFolder(strFolder, "vando.exe");
    const CString strOriginal = PathInFolder(strFolder, "vando_original.exe");
    if (!g_reader.CanOpen(strOriginal))
        return "Batch tool not installed! Nothing to remove";
    // One step replaces the recorder (or takes the free name), so a failure
    // leaves both files as they were: never a folder without its tool.
    if (platform::ReplaceByFile(strOriginal, strTool))
        return "Batch tool removed";
    if (platform::PathExists(strTool))
        return CString("Batch tool not removed: ") + strTool + " could not be replaced by " + strOriginal +
               "; it may be running or write-protected. Nothing was changed.";
    return CString("Batch tool not removed: ") + strOriginal + " could not be renamed to " + strTool +
           ". Nothing was changed.";
}
