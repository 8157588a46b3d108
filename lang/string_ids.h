/* Identifiers of the language module's resources. Status and message texts
   use their own code as identifier (30001-30013, 50001-50024). Plain
   #defines: the resource compiler reads this file too. */
#ifndef OVIRA_LANG_STRING_IDS_H
#define OVIRA_LANG_STRING_IDS_H

#define IDR_LANGUAGE_SIGNATURE 1

#define IDD_STARTUP_NOTICE 4500
#define IDC_STARTUP_NOTICE_HIDE 4501

#define IDS_FACE_NAME 20000
#define IDS_TITLE_OPENING 22000
#define IDS_TITLE_SAVING 22001
#define IDS_TITLE_SAVE_PREVIEW 22002
#define IDS_SAVE_QUESTION 22003
#define IDS_MESSAGE_CAPTION 30000
#define IDS_OPEN_FAILED_NOTE 30003  /* also the message when a preview fails */
#define IDS_ERROR_CAPTION 50000

#endif
