#!/usr/bin/env bash
# The Windows build has to keep compiling: every Unix-only header or call in the program's sources must
# sit inside a preprocessor branch that only Unix takes (#ifdef Q_OS_UNIX or Q_OS_LINUX, or the #else of a
# Q_OS_WIN test). Prints each one that does not and fails.
#   portability_test.sh SOURCE_DIR
set -euo pipefail
cd "$1"

unguarded=$(find engine files window app bench packaging -name '*.cpp' -o -name '*.h' | LC_ALL=C sort |
    xargs awk '
    FNR == 1 { depth = 0 }
    # One entry per open #if: 1 where only Unix compiles the branch, 0 elsewhere; w marks Windows tests.
    /^[ \t]*#[ \t]*if/ {
        ++depth
        negated = ($0 ~ /!/ || $0 ~ /#[ \t]*ifndef/)
        unix[depth] = ($0 ~ /Q_OS_(UNIX|LINUX|MACOS)|__unix__|__linux__/ && !negated) ? 1 : 0
        win[depth] = ($0 ~ /Q_OS_WIN|_WIN32/ && !negated) ? 1 : 0
        next
    }
    /^[ \t]*#[ \t]*else/ { unix[depth] = win[depth] ? 1 : 0; win[depth] = 0; next }
    /^[ \t]*#[ \t]*endif/ { if (depth > 0) --depth; next }
    /#[ \t]*include[ \t]*<(unistd|fcntl|pwd|grp|dlfcn|termios|poll|sys\/[a-z_]+)\.h>|(::|[^a-zA-Z_.>])(fsync|fork|getuid|geteuid|getpwuid|dlopen|readlink|mkstemp|pipe)[ \t]*\(|::(open|close|read|write)[ \t]*\(/ {
        guarded = 0
        for (i = 1; i <= depth; ++i) if (unix[i]) guarded = 1
        if (!guarded) print FILENAME ":" FNR ": " $0
    }')

if [ -n "$unguarded" ]; then
    echo "Unix-only code outside a Unix-only branch:"
    echo "$unguarded"
    exit 1
fi
echo "no Unix-only header or call outside a Unix-only branch"
