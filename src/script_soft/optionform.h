#pragma once

#include "ordersummarydialog.h"

// "Orthotic Data Selection" of the soft window: the order summary the job
// commands show before a job is packed. "View PDF" shows the laboratory PDF.
class OptionForm : public OrderSummaryDialog
{
    Q_OBJECT
public:
    explicit OptionForm(QWidget *parent = nullptr);

    // Builds the summary from the job, shows the dialog modally and returns
    // OptionQuitFlag as the user left it.
    static bool Run_OptionForm();
};
