// The replaceable function behind each kind of system dialog, one per function type, so that a
// test can answer the dialog: empty while the system's dialog is to be shown.
#pragma once

#include <utility>

template <typename TChooser>
TChooser& AfxDialogChooser()
{
    static TChooser s_chooser;
    return s_chooser;
}

// Puts the chooser in place and returns the one that was.
template <typename TChooser>
TChooser AfxReplaceDialogChooser(TChooser chooser)
{
    TChooser previous = AfxDialogChooser<TChooser>();
    AfxDialogChooser<TChooser>() = std::move(chooser);
    return previous;
}
