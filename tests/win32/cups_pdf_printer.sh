#!/bin/bash
# A real printer for the print tests: CUPS with the cups-pdf backend.
#   cups_pdf_printer.sh start   cupsd running (started in the background when it
#                               is not), queue "VexalPDF" added and made default
#   cups_pdf_printer.sh dirs    the folders where cups-pdf may put its files
# Needs root for lpadmin/cupsd (the test machine runs the tests as root).
set -euo pipefail
queue=VexalPDF
ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd

case "${1:-}" in
  start)
    command -v lpadmin >/dev/null || { echo "cups_pdf_printer: CUPS is not installed" >&2; exit 2; }
    [[ -f "$ppd" ]] || { echo "cups_pdf_printer: $ppd missing (printer-driver-cups-pdf)" >&2; exit 2; }
    if ! lpstat -r 2>/dev/null | grep -q "is running"; then
      # cupsd detaches by itself; its output must not hold the test's pipes.
      cupsd </dev/null >/dev/null 2>&1
      for _ in $(seq 100); do
        lpstat -r 2>/dev/null | grep -q "is running" && break
        sleep 0.1
      done
    fi
    lpstat -r | grep -q "is running" || { echo "cups_pdf_printer: cupsd did not start" >&2; exit 1; }
    if ! lpstat -p "$queue" >/dev/null 2>&1; then
      lpadmin -p "$queue" -E -v cups-pdf:/ -P "$ppd"
    fi
    cupsenable "$queue"
    cupsaccept "$queue"
    lpadmin -d "$queue"
    ;;
  dirs)
    echo "${HOME:-/root}/PDF"
    echo /root/PDF
    echo /var/spool/cups-pdf/ANONYMOUS
    ;;
  *)
    echo "usage: $0 start|dirs" >&2
    exit 2
    ;;
esac
