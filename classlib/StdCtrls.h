// The standard controls: buttons, check boxes, radio buttons, labels, edits,
// memos, group boxes, radio groups, combo boxes and list boxes.
#pragma once
#include "Button.h"
#include "ComboBox.h"
#include "Edit.h"
#include "GroupBox.h"
#include "Label.h"
#include "ListBox.h"
