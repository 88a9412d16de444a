# Helpers for the transcripts in tests/data/cli.

# json: reads one JSON document and prints it back one array element (or the whole
# document) per line with sorted keys, so that transcripts compare what was meant, not
# how it was spaced.
json() {
    python3 -c '
import json, sys
doc = json.load(sys.stdin)
for item in doc if isinstance(doc, list) else [doc]:
    print(json.dumps(item, sort_keys=True, ensure_ascii=False))'
}

# comp WORD...: what the installed completion offers for the last word, sorted, one a line.
comp() {
    . "$COMPLETION"
    COMP_WORDS=("$@")
    COMP_CWORD=$(($# - 1))
    _wakeburst
    printf '%s\n' "${COMPREPLY[@]}" | LC_ALL=C sort
}

# gbk FILE: a UTF-8 text with LF written as the system's files are (GBK, CR LF).
gbk() { sed 's/$/\r/' | iconv -f UTF-8 -t GB18030 >"$1"; }

# here: the output with this case's directory shown as "./" (the alarm store keeps
# absolute paths).
here() { sed "s|$PWD/|./|g"; }
