# Writes the manual page of morvane-cli from the program's own --help texts, so that the page
# always says what the installed program does.
# Usage: cmake -DCLI=path/to/morvane-cli -DOUT=morvane-cli.1 -P ManPage.cmake

function(run_help out_var)
    execute_process(COMMAND ${CLI} ${ARGN} OUTPUT_VARIABLE text ERROR_VARIABLE text RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "${CLI} ${ARGN} failed (${status}): ${text}")
    endif()
    set(${out_var} "${text}" PARENT_SCOPE)
endfunction()

# Text as troff prints it: backslashes escaped, no line starting with a control character.
function(troff_text out_var text)
    string(REPLACE "\\" "\\e" text "${text}")
    string(REPLACE "-" "\\-" text "${text}")
    string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" text "${text}")
    set(${out_var} "${text}" PARENT_SCOPE)
endfunction()

run_help(version --version)
run_help(commands --help)
run_help(batch found --help)
string(STRIP "${version}" version)
troff_text(commands "${commands}")
troff_text(batch "${batch}")

file(WRITE ${OUT} ".TH MORVANE\\-CLI 1 \"\" \"${version}\" \"User Commands\"
.SH NAME
morvane\\-cli \\- search and replace text in many files with regular expressions
.SH SYNOPSIS
.B morvane\\-cli
.I COMMAND
.RI [ OPTIONS ]
.RI [ PATH ...]
.SH DESCRIPTION
.B morvane\\-cli
is the command\\-line face of Morvane: it tests patterns, converts and detects the Cyrillic
code pages Windows\\-1251, KOI8\\-R and DOS\\-866, and runs the desktop program's passes over
files and directories: search listings, replacing everywhere (also match by match on the
terminal), output of the replacements to files, restoring and deleting the numbered backup
copies, and code page conversion. Patterns and replacement templates use Morvane's own
regular\\-expression and template language, described in the desktop program's manual.
.SH COMMANDS
.nf
${commands}.fi
.SH BATCH COMMANDS
.nf
${batch}.fi
.SH EXIT STATUS
0 when something was found or changed, 1 when nothing was, 2 on errors.
.SH FILES
.TP
.I FILE0, FILE1, ...
the backup copies of a rewritten FILE, listed in the directory's
.I .hidden
file.
.SH SEE ALSO
.BR morvane (1)
is the desktop program; its manual opens with F1.
")
