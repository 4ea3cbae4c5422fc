#!/usr/bin/env bash
# Makes a CUPS queue "OrvoPDF" that prints into PDF files (cups-pdf, into ~/PDF of the user),
# for the printing test. Starts the scheduler when it does not run (then prints
# "started <pid>", so the caller can stop it again). Exit 1 with a message when CUPS, the
# cups-pdf driver or the rights to run them are missing.
set -uo pipefail
queue=OrvoPDF
for tool in cupsd lpstat lpadmin; do
    command -v "$tool" >/dev/null || { echo "no $tool: CUPS is not installed"; exit 1; }
done
ppd=$(lpinfo -m 2>/dev/null | awk '/CUPS-PDF_opt.ppd/ {print $1; exit}')
if ! lpstat -r 2>/dev/null | grep -q 'is running'; then
    [ "$(id -u)" -eq 0 ] || { echo "the CUPS scheduler does not run and only root may start it"; exit 1; }
    cupsd || { echo "cupsd does not start"; exit 1; }
    for _ in $(seq 50); do lpstat -r 2>/dev/null | grep -q 'is running' && break; sleep 0.2; done
    lpstat -r 2>/dev/null | grep -q 'is running' || { echo "cupsd does not answer"; exit 1; }
    echo "started $(pgrep -xo cupsd)"
    ppd=$(lpinfo -m 2>/dev/null | awk '/CUPS-PDF_opt.ppd/ {print $1; exit}')
fi
if ! lpstat -p "$queue" >/dev/null 2>&1; then
    [ -n "$ppd" ] || { echo "no cups-pdf driver (printer-driver-cups-pdf)"; exit 1; }
    lpadmin -p "$queue" -v cups-pdf:/ -m "$ppd" -E 2>/dev/null ||
        { echo "lpadmin cannot add the queue $queue"; exit 1; }
fi
cupsenable "$queue" 2>/dev/null
cupsaccept "$queue" 2>/dev/null
echo "queue $queue"
