# Turns the Markdown user guide into one HTML page for the browser:
#   cmake -DCMARK=... -DSOURCE=guia.md -DOUTPUT=guia.html -P guide-html.cmake
# The images stay beside it in img/, as the Markdown links them.
execute_process(COMMAND "${CMARK}" --to html "${SOURCE}"
                OUTPUT_VARIABLE body RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "cmark could not convert ${SOURCE}")
endif()
file(WRITE "${OUTPUT}" "<!DOCTYPE html>
<html lang=\"es\">
<head>
<meta charset=\"utf-8\">
<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">
<title>Guía de Quorvale</title>
<style>
body { max-width: 52em; margin: 0 auto; padding: 1em 1.5em; font-family: sans-serif; line-height: 1.45; }
img { max-width: 100%; height: auto; border: 1px solid #ccc; }
code { background: #f2f2f2; padding: 0 0.2em; }
</style>
</head>
<body>
${body}</body>
</html>
")
