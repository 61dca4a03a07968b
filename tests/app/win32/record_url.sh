#!/bin/sh
# A stand-in web browser for the end-to-end tests: Wine's browser hand-off runs it with
# the address to open; it only records the address, one a line, beside itself.
printf '%s\n' "$@" >> "$(dirname "$0")/opened-urls.txt"
