#pragma once
// What the work function of a progress dialog may call while it runs. Every
// call is made from the worker thread: SetMessage, SetPos and Finish post a
// message to the dialog and return at once; ShowMessage shows the program's
// message box over the dialog and blocks the worker until it is answered.
// None of them fails. The declaration order is the calling contract: do not
// reorder.

#include <QString>

class IPrgDlgNotify
{
public:
    virtual ~IPrgDlgNotify() = default;

    virtual void SetMessage(QString text) = 0;                                  // 1: the lower label
    virtual void SetPos(int position) = 0;                                      // 2: held within the range
    virtual void Finish() = 0;                                                  // 3: ends the dialog
    virtual int ShowMessage(QString text, QString caption, int type) = 0;       // 4: ShowPrompt's result
};
