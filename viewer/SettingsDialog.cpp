#include "SettingsDialog.h"

#include "DisplayText.h"
#include "DwordKey.h"
#include "ParseSeconds.h"
#include "ViewerState.h"
#include "resource.h"

// Every text read from or written to the seconds and hours boxes goes through this size.
static const int kTextSize = 100;

static void ShowHours(HWND dialog)
{
    char text[kTextSize];
    FormatUnsigned(StoredElapsed / 60 / 60, text);
    SetDlgItemTextA(dialog, IDC_HOURS, text);
}

static void TakeRatingAndSeconds(HWND dialog)
{
    Rating = GetDlgItemInt(dialog, IDC_RATING, NULL, FALSE);
    char text[kTextSize] = "";
    GetDlgItemTextA(dialog, IDC_SECONDS, text, kTextSize);
    StoredElapsed = static_cast<ElapsedSeconds>(ParseSeconds(text));
}

static DWORD AlarmBoxState(HWND dialog)
{
    return IsDlgButtonChecked(dialog, IDC_ALARM) == BST_CHECKED ? 1 : 0;
}

static void OnInitDialog(HWND dialog)
{
    char text[kTextSize];
    FormatUnsigned(StoredElapsed, text);
    SetDlgItemTextA(dialog, IDC_SECONDS, text);
    ShowHours(dialog);
    SetDlgItemInt(dialog, IDC_RATING, Rating, FALSE);
    // Any non-zero flag (the key may be edited by other means) means on.
    CheckDlgButton(dialog, IDC_ALARM, AlarmFlag ? BST_CHECKED : BST_UNCHECKED);
}

static void OnApply(HWND dialog)
{
    TakeRatingAndSeconds(dialog);
    ShowHours(dialog);
    InvalidateRect(dialog, NULL, TRUE);
}

// OK and Cancel alike: whichever way the dialog is left, what it shows is saved.
static void SaveAndClose(HWND dialog, int command)
{
    CDwordKey key;
    key.Open(HKEY_LOCAL_MACHINE, VASK_STORE_KEY);
    TakeRatingAndSeconds(dialog);
    AlarmFlag = AlarmBoxState(dialog);
    key.SetValue(VASK_VALUE_RATING, Rating);
    key.SetValue(VASK_VALUE_HIGH, HighHalf(StoredElapsed));
    key.SetValue(VASK_VALUE_LOW, LowHalf(StoredElapsed));
    key.SetValue(VASK_VALUE_ALARM, AlarmFlag);
    key.Close();
    EndDialog(dialog, command);
}

INT_PTR CALLBACK SettingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        OnInitDialog(dialog);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
        case IDCANCEL:
            SaveAndClose(dialog, LOWORD(wParam));
            return TRUE;
        case IDC_APPLY:
            OnApply(dialog);
            return FALSE;
        case IDC_ALARM:
            AlarmFlag = AlarmBoxState(dialog);
            return FALSE;
        default:
            return FALSE;
        }
    default:
        return FALSE;
    }
}
