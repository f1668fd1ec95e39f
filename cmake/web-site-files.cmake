# The web site's files as they are in web/, besides the module (zorbal.js) and the service worker
# (sw.js), which web-site.cmake writes: the build copies them (cmake/web-site.cmake), the service
# worker caches them, and the site is rebuilt when one changes (src/web/CMakeLists.txt). A new page
# script goes here and into index.html's scripts, in the order they are loaded.
set(zorbal_site_files
    index.html
    zorbal.css
    look.css
    page/shared.js
    page/look.js
    page/fit.js
    page/form.js
    page/mirror.js
    page/paint.js
    page/grid.js
    page/effects.js
    page/keyboard.js
    page/storage.js
    page/link.js
    page/investigate_jobs.js
    page/investigate.js
    page/investigate_worker.js
    page/main.js
    manifest.webmanifest
    icon.svg
    icon-192.png
    icon-512.png
    icon-maskable-192.png
    icon-maskable-512.png
    splash.jpg)
