#pragma once
// "Distances" (`DistForm`): the results of the last two-point measurement.
// Loaded anew for every measurement and shown modally; what is typed into
// its boxes is not used.

#include "measure.h"

#include <QDialog>

class DistForm : public QDialog
{
    Q_OBJECT
public:
    explicit DistForm(const mesh::Measurement &results, QWidget *parent = nullptr);
};

// Registers "DistForm" with the WindowRegistry (it shows the shared results).
void Register_Distances_Window();
// Loads "DistForm" afresh with the shared results and shows it modally.
void Show_Distances();
