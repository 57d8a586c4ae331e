#!/bin/sh
# makensis for a 64-bit installer. CPack's NSIS script makes a 32-bit one unless told otherwise, and
# Velmora is a 64-bit program: its installer belongs in the 64-bit Program Files, and it then runs where
# only 64-bit Windows programs can (Debian's Wine without its 32-bit half, for one).
exec makensis "-XTarget amd64-unicode" "$@"
