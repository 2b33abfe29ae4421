#pragma once

class QWidget;

// The two stored help texts, each a window holding only its text box
// "RichTextBox1" (read-only, cream, 10-point Arial). They close by the
// title bar, which unloads them.
QWidget *Create_Keyboard_Help(); // "Help1", caption "Keyboard Help"
QWidget *Create_Foot_Sizes(); // "FootSize", caption "Foot Sizes"
