#!/usr/bin/env bash
# Starts CUPS with a PDF printer as the default, for the printing test.
# Does nothing when CUPS or the PDF backend is not installed or when not root.
set -u
command -v cupsd >/dev/null 2>&1 || exit 0
[ "$(id -u)" -eq 0 ] || exit 0
if ! lpstat -r >/dev/null 2>&1; then
    (cupsd >/dev/null 2>&1 || /usr/sbin/cupsd >/dev/null 2>&1) || true
    for _ in $(seq 1 20); do
        lpstat -r >/dev/null 2>&1 && break
        sleep 0.5
    done
fi
if ! lpstat -p PDF >/dev/null 2>&1; then
    lpadmin -p PDF -v cups-pdf:/ -E -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd >/dev/null 2>&1 ||
        lpadmin -p PDF -v cups-pdf:/ -E -m everywhere >/dev/null 2>&1 ||
        lpadmin -p PDF -v cups-pdf:/ -E >/dev/null 2>&1 || true
fi
lpadmin -d PDF >/dev/null 2>&1 || true
cupsenable PDF >/dev/null 2>&1 || true
cupsaccept PDF >/dev/null 2>&1 || true
exit 0
