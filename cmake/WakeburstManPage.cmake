# Writes the manual page wakeburst(1) from the tool's own --help, so the two never part.
# cmake -DWAKEBURST_EXE=... -DMAN_OUT=... -P WakeburstManPage.cmake
execute_process(COMMAND ${WAKEBURST_EXE} --help OUTPUT_VARIABLE help RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "wakeburst --help exited ${rc}")
endif()
string(REPLACE "\\" "\\e" help "${help}")
string(REPLACE "-" "\\-" help "${help}")
string(REGEX REPLACE "\n$" "" help "${help}")
string(REPLACE "\n" ";" lines "${help}")

list(GET lines 0 title)
string(REGEX MATCH "^wakeburst ([^ ]+) \\\\- (.*)$" _ "${title}")
set(version "${CMAKE_MATCH_1}")
set(summary "${CMAKE_MATCH_2}")
if(version STREQUAL "" OR summary STREQUAL "")
  message(FATAL_ERROR "unexpected first help line: ${title}")
endif()

set(synopsis "")
set(status "")
foreach(line IN LISTS lines)
  if(line MATCHES "^  (wakeburst .*)$")
    string(APPEND synopsis "${CMAKE_MATCH_1}\n")
  elseif(line MATCHES "^exit status: (.*)$")
    set(status "${CMAKE_MATCH_1}")
  endif()
endforeach()

file(WRITE ${MAN_OUT} ".TH WAKEBURST 1 \"\" \"wakeburst ${version}\" \"User Commands\"
.SH NAME
wakeburst \\- ${summary}
.SH SYNOPSIS
.nf
${synopsis}.fi
.SH DESCRIPTION
\\fBwakeburst\\fR is the command\\-line tool of Wakeburst Utility. It sends Wake\\-on\\-LAN
wake\\-up frames (102\\-byte UDP datagrams to port 2304) to one host or to every host of a
host\\-list file (\\fI.mp\\fR), builds host lists of the local subnet, and keeps the weekly
group alarms that the desktop program \\fBdawnly\\fR keeps too.
.PP
ETHERNET may be written 00\\-A0\\-C9\\-12\\-34\\-56, 00.a0.c9.12.34.56, 00a0c9123456 or
00:a0:c9:12:34:56. DEST is an address, a broadcast address or a host name; the default is
255.255.255.255.
.PP
\\fBrun\\-alarms\\fR runs the scheduler without a window until SIGINT or SIGTERM, and reloads
the alarm store when it changes on disk.
.SH OPTIONS
.TP
\\fB\\-\\-dir\\fR \\fIDIR\\fR
the directory of the alarm store and the wake log (default: the current directory).
.SH EXIT STATUS
${status}. Every refusal is one line on standard error, and nothing is sent.
.SH FILES
.TP
\\fIDIR\\fR/DwnGs
the alarm store.
.TP
\\fIDIR\\fR/Dawnly.log
the wake log, appended at every group wake.
.TP
/usr/lib/systemd/user/wakeburst\\-alarms.service
a user service that runs the alarms from \\fI~/.local/share/wakeburst\\fR; it is not
enabled by default:
.B systemctl \\-\\-user enable \\-\\-now wakeburst\\-alarms.service
.SH SEE ALSO
.BR systemctl (1)
")
