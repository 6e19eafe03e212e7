// New, Open and Exit, from the toolbar and the File menu alike; and files dropped on the window.
#include "Form1/Form1.h"

#include "chart/TraceSegments.h"
#include "log/LoadLog.h"
#include "platform/BusyCursor.h"

void Form1::Cm1_Click() { Pic->Cls(); }

void Form1::mnuNew_Click() { Pic->Cls(); }

void Form1::Cm2_Click() { mnuopen_Click(); }

void Form1::mnuopen_Click()
{
    // Persistent drawing is switched on before the dialog, whether or not a file is chosen.
    Pic->setAutoRedraw(true);
    CmD->ShowOpen();
    openLogFile(CmD->FileName);
}

void Form1::openLogFile(const std::string &fileName)
{
    // A cancelled dialog yields an empty name, which stops here: never an error, and the
    // chart stays as it is.
    LogFileName = fileName;
    if (LogFileName.empty())
        return;
    BusyCursor busy;
    // Past the last drawn sample DrawSegment only counts, so the loader may check those
    // records in bulk.
    const auto drawSegment = [this] { DrawSegment(); };
    LoadLog(*this, drawSegment, LastDrawnSample);
}

void Form1::openDroppedFiles(const std::vector<std::string> &paths)
{
    for (const std::string &path : paths) {
        Pic->setAutoRedraw(true);
        openLogFile(path);
    }
}

void Form1::Command2_Click() { Unload(); }

void Form1::mnuexit_Click() { Unload(); }
