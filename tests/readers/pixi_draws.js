// Pixi 8 draws a line of an exported BMFont in headless Chromium:
//   node pixi_draws.js FOLDER FONT TEXT FAMILY SIZE X Y WIDTH HEIGHT OUT
// FOLDER holds the export and pixi.min.js; Pixi loads FONT from it and
// draws TEXT in FAMILY at SIZE pixels at (X, Y), white on black, with its
// own shaders (WebGL in software); the page is saved as the PNG OUT.
const fs = require('fs');
const http = require('http');
const path = require('path');
const {chromium} = require('playwright-core');

const [folder, font, text, family, size, x, y, width, height, out] = process.argv.slice(2);
fs.copyFileSync(path.join(__dirname, 'pixi_page.html'), path.join(folder, 'pixi_page.html'));
const server = http.createServer((request, response) => {
    const file = path.join(folder, decodeURIComponent(new URL(request.url, 'http://host').pathname));
    fs.readFile(file, (error, data) => {
        response.writeHead(error ? 404 : 200);
        response.end(data);
    });
});

server.listen(0, '127.0.0.1', async () => {
    // Without the background networking Chromium asks nothing of a closed
    // network; SwiftShader gives WebGL without a GPU.
    const browser = await chromium.launch({executablePath: '/usr/bin/chromium',
        args: ['--no-sandbox', '--use-angle=swiftshader', '--enable-unsafe-swiftshader', '--no-first-run',
            '--disable-background-networking', '--disable-component-update', '--disable-sync']});
    try {
        const page = await browser.newPage({viewport: {width: +width, height: +height}, deviceScaleFactor: 1});
        const query = new URLSearchParams({font, text, family, size, x, y, w: width, h: height});
        await page.goto(`http://127.0.0.1:${server.address().port}/pixi_page.html?${query}`);
        await page.waitForFunction(() => document.title !== '', null, {timeout: 60000});
        const title = await page.title();
        if (title !== 'drawn')
            throw new Error(title);
        await page.screenshot({path: out});
    } catch (error) {
        console.error(error.message);
        process.exitCode = 1;
    } finally {
        await browser.close();
        server.close();
    }
});
