# Assembles the finished site: cmake -DSOURCE=<web folder> -DMODULE=<zorbal.js> -DSITE=<folder> -P web-site.cmake
# The service worker's cache is named after the content, so a changed site replaces the cache.
file(MAKE_DIRECTORY ${SITE})
set(files index.html zorbal.css page.js manifest.webmanifest icon.svg icon-192.png icon-512.png icon-maskable-192.png
          icon-maskable-512.png splash.jpg)
set(digest_input "")
foreach(name ${files})
  configure_file(${SOURCE}/${name} ${SITE}/${name} COPYONLY)
  file(MD5 ${SOURCE}/${name} sum)
  string(APPEND digest_input ${sum})
endforeach()
configure_file(${MODULE} ${SITE}/zorbal.js COPYONLY)
file(MD5 ${MODULE} sum)
string(APPEND digest_input ${sum})
string(MD5 version "${digest_input}")
string(SUBSTRING ${version} 0 12 ZORBAL_SITE_VERSION)
configure_file(${SOURCE}/sw.js ${SITE}/sw.js @ONLY)
