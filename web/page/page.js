// The browser page of Vurp: the table drawn once from the module's control
// table, then kept up from its changes after every action. Everything the
// game decides, and every word the table says, comes from the module; the
// page only places, paints, paces and keeps the journal.
'use strict';

(() => {
    const params = new URLSearchParams(location.search);
    // A page driven by a script: the numbers come from the script, nothing is
    // kept, and moves are shown at once.
    const scripted = params.has('script');
    const journalKey = 'vurp.journal';
    // What every game finished in this browser added up to, a line a game.
    const statisticsKey = 'vurp.statistics';
    const paceKey = 'vurp.pace';
    const paces = [0, 250, 500, 1000];
    // Whether this load came through the service worker, from what it keeps.
    const fromWorker = Boolean(navigator.serviceWorker?.controller);

    let vurp = null;
    let table = null; // the control table: geometry, names, words
    const elements = new Map(); // element name -> its entry
    let pace = 500;
    let steps = []; // moves still to be shown
    let stepTimer = 0;
    let focusWhenShown = false;
    let pressed = null; // {control, index}
    let trickBest = '';
    let hint = null;
    let logOpen = false;
    let shade = null; // over the table while a panel is open
    // The control under the mouse pointer: only it carries its tooltip, for
    // a change of the title attribute makes the browser look at the
    // element's style anew.
    let pointedAt = null;
    let beforeLog = null;
    let saveFailing = false;
    let saveBlocked = false;
    // Whether this tab keeps the game in the browser's storage: a scripted
    // page never does, nor a tab opened while another keeps it.
    let keeping = !scripted;
    const told = []; // every event the page has been told, for the tests

    // ---- the module ----

    function withTexts(texts, call) {
        const pointers = texts.map((text) => {
            const size = vurp.lengthBytesUTF8(text) + 1;
            const pointer = vurp._malloc(size);
            vurp.stringToUTF8(text, pointer, size);
            return pointer;
        });
        try {
            return call(...pointers);
        } finally {
            pointers.forEach((pointer) => vurp._free(pointer));
        }
    }
    // A text the module handed out, decoded at once by its known length.
    const decoder = new TextDecoder();
    const text = (pointer) => decoder.decode(vurp.HEAPU8.subarray(pointer, pointer + vurp._vurp_length()));
    const json = (pointer) => JSON.parse(text(pointer));
    const module = {
        start: (seed, isScripted) => withTexts([seed], (p) => vurp._vurp_start(p, isScripted)),
        random: (value) => withTexts([value], (p) => vurp._vurp_random(p)),
        click: (name, index) => withTexts([name], (p) => vurp._vurp_click(p, index)),
        type: (value) => withTexts([value], (p) => vurp._vurp_type(p)),
        controls: () => json(vurp._vurp_controls()),
        changes: () => json(vurp._vurp_changes()),
        snapshot: () => text(vurp._vurp_snapshot()),
        journal: () => text(vurp._vurp_journal()),
        // The journal from a byte on, and its length in bytes.
        journalFrom: (from) => {
            const rest = text(vurp._vurp_journal_from(from));
            return { rest, bytes: vurp._vurp_length() };
        },
        restore: (journal) => withTexts([journal], (p) => json(vurp._vurp_restore(p))),
        likelyNext: (name, index) => withTexts([name], (p) => text(vurp._vurp_likely_next(p, index))),
        hint: () => json(vurp._vurp_hint()),
        log: () => json(vurp._vurp_log()),
        statistics: (record, kept, moneyTicks, dealLabels) =>
            withTexts([record], (p) => json(vurp._vurp_statistics(p, kept, moneyTicks, dealLabels))),
        finishGame: (record) => withTexts([record], (p) => text(vurp._vurp_finish_game(p))),
    };

    // ---- drawing ----

    const $ = (id) => document.getElementById(id);
    const tableBox = $('table');
    const statusLine = $('status');

    function colour(value) {
        if (value === null || value === undefined) {
            return '';
        }
        // 0x00BBGGRR
        return `rgb(${value & 0xff},${(value >> 8) & 0xff},${(value >> 16) & 0xff})`;
    }

    const px = (twips) => `${twips / 15}px`;

    function pictureRatio() {
        const covered = (window.devicePixelRatio || 1) * currentScale;
        return covered <= 1.5 ? 1 : covered <= 2.5 ? 2 : 3;
    }
    function pictureFile(name) {
        const ratio = pictureRatio();
        return `cards/${name}${ratio > 1 ? `@${ratio}x` : ''}.png`;
    }

    function makeElement(def) {
        let node;
        if (def.kind === 'button') {
            node = document.createElement('button');
            node.type = 'button';
        } else if (def.kind === 'textbox') {
            node = document.createElement(def.multiline ? 'textarea' : 'input');
            if (!def.multiline) {
                node.type = 'text';
                node.spellcheck = false;
                node.autocomplete = 'off';
            }
            node.readOnly = def.locked;
            if (def.multiline) {
                // Read only: the keyboard reaches it while its panel is open.
                node.tabIndex = -1;
            }
        } else if (def.kind === 'picture') {
            node = document.createElement('div');
            node.className = 'picture';
            const img = document.createElement('img');
            img.alt = '';
            img.setAttribute('role', 'presentation');
            img.decoding = 'async';
            node.append(img);
        } else {
            node = document.createElement('div');
            node.className = `label ${def.align}`;
        }
        node.classList.add('c');
        node.dataset.name = def.name;
        node.style.left = px(def.left);
        node.style.top = px(def.top);
        node.style.width = px(def.width);
        node.style.height = px(def.height);
        node.style.textAlign = def.align === 'centre' ? 'center' : def.align;
        if (def.font) {
            node.style.fontFamily = def.font.families.map((f) => `"${f}"`).join(',') + ',sans-serif';
            node.style.fontSize = `${def.font.pointSize}pt`;
            node.style.fontWeight = def.font.bold ? 'bold' : '';
            node.style.lineHeight = '1';
        }
        if (def.accName) {
            node.setAttribute('aria-label', def.accName);
        }
        return node;
    }

    const isHand = (entry) => entry.def.control === 'Pict1';
    const canPress = (entry) => entry.state.visible && entry.state.enabled;

    // Attributes are written only when they change: a write of the same
    // value still costs the browser a mutation and, for those the style
    // sheet reads, a new look at the element's style.
    function setAttribute(node, name, value) {
        if (value === null) {
            if (node.hasAttribute(name)) {
                node.removeAttribute(name);
            }
        } else if (node.getAttribute(name) !== value) {
            node.setAttribute(name, value);
        }
    }

    // A caption changes in its own text node: a new node would be taken out
    // of the layout and put in again.
    function setText(node, value) {
        const first = node.firstChild;
        if (first && first.nodeType === Node.TEXT_NODE && !first.nextSibling) {
            if (first.data !== value) {
                first.data = value;
            }
        } else if (node.textContent !== value) {
            node.textContent = value;
        }
    }

    function paint(entry) {
        const { def, node, state } = entry;
        const opening = node.hidden && state.visible;
        if (node.hidden === state.visible) {
            node.hidden = !state.visible;
            if (table.panels.some((p) => p.text === def.name)) {
                shade.hidden = !panelOpen();
            }
        }
        if (def.kind === 'button') {
            if (node.disabled === state.enabled) {
                node.disabled = !state.enabled;
            }
            setText(node, state.text);
        } else if (def.kind === 'textbox') {
            if (node.disabled === state.enabled) {
                node.disabled = !state.enabled;
            }
            const shown = def.multiline ? state.text.replace(/\r\n/g, '\n') : state.text;
            if (node.value !== shown) {
                node.value = shown;
            }
            if (def.multiline && opening) {
                // A panel opens at the top of its text.
                node.setSelectionRange(0, 0);
                node.scrollTop = 0;
            }
        } else if (def.kind === 'picture') {
            const img = node.firstChild;
            const file = state.picture ? pictureFile(state.picture) : '';
            if (img.getAttribute('src') !== file) {
                if (file) {
                    img.src = file;
                } else {
                    img.removeAttribute('src');
                }
            }
            if (img.hidden !== !state.picture) {
                img.hidden = !state.picture;
            }
            setAttribute(node, 'data-enabled', String(state.enabled));
            const words = table.cardWords[state.picture] || '';
            const hand = isHand(entry);
            const choosable = hand && canPress(entry);
            if (node.classList.contains('choosable') !== hand) {
                node.classList.toggle('choosable', hand);
            }
            setAttribute(node, 'role', choosable ? 'button' : 'img');
            setAttribute(node, 'tabindex', choosable ? '0' : hand ? '-1' : null);
            if (choosable) {
                setAttribute(node, 'aria-disabled', null);
            }
            setAttribute(node, 'aria-label', words || null);
        } else {
            setText(node, state.text);
        }
        const back = colour(state.back);
        if (entry.back !== back) {
            entry.back = back;
            node.style.backgroundColor = back;
        }
        const fore = colour(state.fore);
        if (entry.fore !== fore) {
            entry.fore = fore;
            node.style.color = fore;
        }
        describe(entry);
    }

    // The tooltip and description: the hint's reason, why it cannot be
    // pressed, or what the control stands for.
    function describe(entry) {
        const { def, node } = entry;
        const marked = node.classList.contains('marked');
        let description = def.accDescription + (marked ? ', пока берёт взятку' : '');
        let tip = '';
        if (entry.hinted) {
            description = tip = hint.reason;
        } else if (entry.whyNot) {
            description = tip = entry.whyNot;
        } else if (isHand(entry) && canPress(entry) && node.getAttribute('aria-label')) {
            tip = `${node.getAttribute('aria-label')}: выбрать`;
        }
        setAttribute(node, 'aria-description', description || null);
        entry.tip = tip;
        if (entry === pointedAt) {
            setAttribute(node, 'title', tip || null);
        }
    }

    // While the player chooses among his cards, those he may not choose are
    // drawn dimmed; the card that takes the trick and its seat's words stand
    // out.
    function markTable() {
        const hand = table.hand.map((name) => elements.get(name));
        const choosing = hand.some(canPress);
        for (const entry of hand) {
            entry.node.classList.toggle('dimmed', choosing && entry.state.visible && !entry.state.enabled);
        }
        const seat = trickBest.length === 3 ? Number(trickBest[2]) : 0;
        for (let s = 1; s <= 3; ++s) {
            const box = elements.get(`Hod(${s})`);
            const marked = s === seat && box.state.visible;
            if (box.node.classList.contains('marked') !== marked) {
                box.node.classList.toggle('marked', marked);
                describe(box);
            }
            elements.get(`talk(${s})`).node.classList.toggle('bold', marked);
        }
    }

    function applyControls(changed) {
        for (const { name, ...values } of changed) {
            const entry = elements.get(name);
            Object.assign(entry.state, values);
            paint(entry);
        }
    }

    function say(sentences) {
        if (sentences && sentences.length > 0) {
            statusLine.textContent = sentences.join('. ');
        }
    }

    function showStep(step) {
        applyControls(step.controls);
        trickBest = step.trickBest;
        markTable();
        say(step.sentences);
        refreshLog();
    }

    // ---- the scale ----

    let currentScale = 1;
    // The scale at which the table fills the frame, and where it then
    // stands. Reading the frame's size lays the page out: draw() reads it
    // while the table is still empty, which costs the browser next to
    // nothing.
    function measure() {
        const frame = $('frame');
        const width = table.width / 15;
        const height = table.height / 15;
        const scale = Math.max(0.25, Math.min(frame.clientWidth / width, frame.clientHeight / height));
        return { scale, left: Math.max(0, (frame.clientWidth - width * scale) / 2) };
    }
    function place({ scale, left }) {
        currentScale = scale;
        tableBox.style.transform = `scale(${scale})`;
        tableBox.style.left = `${left}px`;
    }
    function fit() {
        const ratio = pictureRatio();
        place(measure());
        if (pictureRatio() === ratio) {
            return;
        }
        for (const entry of elements.values()) {
            if (entry.def.kind === 'picture' && entry.state.picture) {
                paint(entry);
            }
        }
    }

    // ---- the table drawn from the control table ----

    function draw() {
        table = module.controls();
        tableBox.replaceChildren();
        elements.clear();
        pointedAt = null;
        // The scale first, so that every picture is asked for once, at the
        // ratio it is shown at.
        place(measure());
        tableBox.style.width = px(table.width);
        tableBox.style.height = px(table.height);
        tableBox.style.backgroundColor = colour(table.windowColour);
        tableBox.style.fontSize = `${table.pointSize}pt`;
        // The document's order is the order Tab walks; the rest after it.
        const ordered = [...table.controls].sort((a, b) => {
            const ta = a.tab < 0 ? Infinity : a.tab;
            const tb = b.tab < 0 ? Infinity : b.tab;
            return ta - tb;
        });
        const panels = new Set(table.panels.map((p) => p.text));
        // What lies over what: the order of the control table, the shade of
        // an open panel over it, the panels' buttons over the shade and the
        // panels over everything.
        const shadeLayer = table.controls.length + 1;
        const layer = new Map(table.controls.map((def, k) => [def.name, k + 1]));
        table.panels.forEach((panel, k) => {
            layer.set(panel.button, shadeLayer + 1);
            layer.set(panel.text, shadeLayer + 2 + k);
        });
        // The table is built aside and placed in the page at once.
        const built = document.createDocumentFragment();
        for (const def of ordered) {
            const { visible, enabled, text: caption, picture, back, fore, whyNot } = def;
            const entry = {
                def,
                node: makeElement(def),
                state: { visible, enabled, text: caption, picture, back, fore },
                whyNot,
                hinted: false,
            };
            entry.node.style.zIndex = String(layer.get(def.name));
            elements.set(def.name, entry);
            if (!panels.has(def.control)) {
                built.append(entry.node);
            }
            connect(entry);
        }
        // While a panel is open the table beneath is shaded, out of reach.
        shade = document.createElement('div');
        shade.id = 'shade';
        shade.hidden = true;
        shade.style.zIndex = String(shadeLayer);
        built.append(shade);
        // The panels lie over every other control, in their order.
        for (const panel of table.panels) {
            built.append(elements.get(panel.text).node);
        }
        const log = document.createElement('ul');
        log.id = 'log';
        log.setAttribute('role', 'log');
        log.setAttribute('aria-label', 'Ход игры');
        log.tabIndex = -1;
        log.hidden = true;
        log.style.zIndex = String(shadeLayer + table.panels.length + 2);
        const rules = table.controls.find((c) => c.name === table.panels[0].text);
        for (const side of ['left', 'top', 'width', 'height']) {
            log.style[side] = px(rules[side]);
        }
        built.append(log);
        for (const entry of elements.values()) {
            paint(entry);
        }
        tableBox.append(built);
        trickBest = table.trickBest;
        const logLines = table.log;
        statusLine.textContent = logLines.length > 0 ? logLines[logLines.length - 1] : '';
        logOpen = false;
        markTable();
    }

    // ---- actions ----

    const panelOpen = () => table.panels.some((p) => elements.get(p.text).state.visible);
    const isPanelButton = (control) => table.panels.some((p) => p.button === control);

    function busy() {
        return steps.length > 0;
    }

    // Shows at once whatever moves are still to be shown.
    function finishShowing() {
        if (!busy()) {
            return;
        }
        clearTimeout(stepTimer);
        while (steps.length > 0) {
            showStep(steps.shift());
        }
        shownAll();
    }

    function showNext() {
        showStep(steps.shift());
        if (busy()) {
            stepTimer = setTimeout(showNext, pace);
        } else {
            shownAll();
        }
    }

    function shownAll() {
        if (focusWhenShown) {
            focusWhenShown = false;
            focusLikelyNext();
        }
    }

    function follow(changes) {
        for (const event of changes.events ?? []) {
            told.push(event);
        }
        for (const { text: reason, elements: places } of changes.whyNot || []) {
            for (const place of places) {
                const entry = elements.get(table.controls[place].name);
                entry.whyNot = reason;
                describe(entry);
            }
        }
        if (changes.steps && pace > 0) {
            steps = changes.steps.slice();
            // Nothing holds the keyboard while the moves are shown.
            if (document.activeElement && tableBox.contains(document.activeElement)) {
                document.activeElement.blur();
                focusWhenShown = true;
            }
            showNext();
        } else {
            // Not paced: the steps, or the changes as a whole, at once; a
            // control that changed at several steps is painted once.
            const last = new Map();
            for (const step of changes.steps ?? [changes]) {
                for (const change of step.controls) {
                    const seen = last.get(change.name);
                    last.set(change.name, seen ? Object.assign(seen, change) : { ...change });
                }
                if ('trickBest' in step) {
                    trickBest = step.trickBest;
                }
            }
            applyControls(last.values());
            markTable();
            say(changes.steps ? changes.steps.flatMap((step) => step.sentences) : changes.sentences);
            refreshLog();
        }
    }

    function afterAction() {
        follow(module.changes());
        save();
    }

    function deliver(control, index) {
        if (panelOpen() && !isPanelButton(control)) {
            return false;
        }
        finishShowing();
        clearHint();
        const result = module.click(control, index);
        if (result === -2) {
            notify('Игра не смогла выполнить ход. Игра сохранена до этого хода.');
        }
        afterAction();
        return result === 1;
    }

    function press(control, index) {
        if (panelOpen() && !isPanelButton(control)) {
            return;
        }
        const panelButton = isPanelButton(control);
        // The focus stays where it is until the control likely pressed next
        // takes it: a control the move hides or shuts drops the focus to the
        // page, never to its neighbour in the Tab order, and while moves are
        // shown follow() lets nothing hold the keyboard. A blur here would
        // only cost the browser a second change of focus at every click.
        deliver(control, index);
        if (!panelButton) {
            pressed = { control, index };
            focusWhenShown = true;
            if (!busy()) {
                shownAll();
            }
        } else if (panelOpen()) {
            // The panel just opened takes the keyboard.
            const open = [...table.panels].reverse().find((p) => elements.get(p.text).state.visible);
            elements.get(open.text).node.focus();
        } else {
            focusLikelyNext();
        }
    }

    function focusLikelyNext() {
        // A notice keeps the keyboard until it is read: its "ОК" hands the
        // keyboard back.
        if (panelOpen() || !$('notice').hidden) {
            return;
        }
        const name = pressed ? module.likelyNext(pressed.control, pressed.index) : module.likelyNext('', 0);
        const entry = elements.get(name);
        if (entry) {
            entry.node.focus();
        }
    }

    function typed(entry) {
        finishShowing();
        clearHint();
        const result = module.type(entry.node.value);
        if (result === -1) {
            // No line breaks or broken text: the box keeps what it had.
            entry.node.value = entry.state.text;
            return;
        }
        afterAction();
        // The box keeps what fits.
        if (entry.node.value !== entry.state.text) {
            entry.node.value = entry.state.text;
        }
    }

    function connect(entry) {
        const { def, node } = entry;
        node.addEventListener('pointerenter', () => {
            pointedAt = entry;
            setAttribute(node, 'title', entry.tip || null);
        });
        node.addEventListener('pointerleave', () => {
            pointedAt = null;
            setAttribute(node, 'title', null);
        });
        if (def.kind === 'button' || def.kind === 'picture') {
            node.addEventListener('click', () => {
                if (canPress(entry)) {
                    press(def.control, def.index);
                }
            });
        }
        if (def.kind === 'textbox' && !def.locked) {
            node.addEventListener('input', () => typed(entry));
        }
        if (isHand(entry)) {
            node.addEventListener('keydown', (event) => {
                if (event.altKey || event.ctrlKey || event.metaKey) {
                    return;
                }
                if (event.key === ' ' || event.key === 'Enter') {
                    event.preventDefault();
                    if (!event.repeat && canPress(entry)) {
                        press(def.control, def.index);
                    }
                } else if (['ArrowLeft', 'ArrowUp'].includes(event.key)) {
                    event.preventDefault();
                    stepAmongCards(def.name, -1);
                } else if (['ArrowRight', 'ArrowDown'].includes(event.key)) {
                    event.preventDefault();
                    stepAmongCards(def.name, 1);
                }
            });
        }
    }

    // The arrow keys walk the cards of the hand that can be chosen.
    function stepAmongCards(from, step) {
        const hand = step < 0 ? [...table.hand].reverse() : table.hand;
        const at = hand.indexOf(from);
        for (const name of hand.slice(at + 1)) {
            const entry = elements.get(name);
            if (canPress(entry)) {
                entry.node.focus();
                return;
            }
        }
    }

    // ---- hint, log, panels ----

    function showHint() {
        if (panelOpen()) {
            return;
        }
        finishShowing();
        if (!hint) {
            hint = module.hint();
            if (!hint) {
                statusLine.textContent = 'Подсказки нет: сейчас ходят другие игроки';
                return;
            }
            for (const name of hint.elements) {
                const entry = elements.get(name);
                entry.hinted = true;
                entry.node.classList.add('hinted');
                describe(entry);
            }
        }
        elements.get(hint.elements[0]).node.focus();
        statusLine.textContent = hint.reason;
    }

    function clearHint() {
        if (!hint) {
            return;
        }
        for (const name of hint.elements) {
            const entry = elements.get(name);
            entry.hinted = false;
            entry.node.classList.remove('hinted');
        }
        hint = null;
        for (const name of elements.keys()) {
            describe(elements.get(name));
        }
    }

    function refreshLog() {
        if (!logOpen) {
            return;
        }
        const log = $('log');
        log.replaceChildren(
            ...module.log().map((line) => {
                const item = document.createElement('li');
                item.textContent = line;
                return item;
            }),
        );
        log.scrollTop = log.scrollHeight;
    }

    function toggleLog() {
        const log = $('log');
        logOpen = !logOpen;
        log.hidden = !logOpen;
        if (logOpen) {
            beforeLog = document.activeElement;
            refreshLog();
            log.focus();
            return;
        }
        if (beforeLog && beforeLog.isConnected && !beforeLog.hidden && !beforeLog.disabled && beforeLog !== document.body) {
            beforeLog.focus();
        } else {
            focusLikelyNext();
        }
    }

    // While a panel is open the keyboard goes round the open panels and
    // their buttons only.
    function panelRing() {
        const ring = [];
        for (const panel of table.panels) {
            if (elements.get(panel.text).state.visible) {
                ring.push(elements.get(panel.text).node, elements.get(panel.button).node);
            }
        }
        return ring;
    }

    const typing = (target) =>
        (target instanceof HTMLInputElement && !target.readOnly) || target instanceof HTMLSelectElement;

    document.addEventListener(
        'keydown',
        (event) => {
            if (statisticsOpen()) {
                statisticsKeydown(event);
                return;
            }
            // A key during the pause shows the moves first.
            finishShowing();
            // Ctrl+O and Ctrl+S open and save a game, as in the window.
            const fileKey = { KeyO: chooseGameToOpen, KeyS: saveGameAs }[event.code];
            if (event.ctrlKey && !event.altKey && !event.shiftKey && fileKey) {
                event.preventDefault();
                fileKey();
                return;
            }
            if (event.ctrlKey && !event.altKey && !event.shiftKey && event.code === 'KeyZ' && !typing(event.target)) {
                event.preventDefault();
                if (!panelOpen()) {
                    takeBackCard();
                }
                return;
            }
            if (event.ctrlKey || event.altKey || event.metaKey) {
                return;
            }
            if (event.key === 'Tab' && panelOpen()) {
                const ring = panelRing();
                const at = ring.indexOf(document.activeElement);
                const next = at < 0 ? 0 : (at + (event.shiftKey ? ring.length - 1 : 1)) % ring.length;
                ring[next].focus();
                event.preventDefault();
            } else if (event.key === 'F1') {
                event.preventDefault();
                press('Pravila', 0);
            } else if (event.key === 'Escape') {
                let closed = false;
                for (const panel of table.panels) {
                    if (elements.get(panel.text).state.visible) {
                        press(panel.button, 0);
                        closed = true;
                    }
                }
                if (logOpen) {
                    toggleLog();
                    closed = true;
                }
                if (closed) {
                    event.preventDefault();
                }
            } else if (!typing(event.target) && event.code === 'KeyL' && !event.shiftKey) {
                event.preventDefault();
                toggleLog();
            } else if (!typing(event.target) && event.code === 'KeyH' && !event.shiftKey) {
                event.preventDefault();
                showHint();
            }
        },
        true,
    );
    // A touch or a click during the pause shows the moves first, then goes
    // where it was aimed.
    document.addEventListener('pointerdown', finishShowing, true);

    // Ctrl+Z takes back the card last thrown away in the exchange, while the
    // new cards have not been drawn: the game goes on from its journal
    // without that click. Nothing else can be undone.
    function takeBackCard() {
        const journal = module.journal();
        const last = journal.lastIndexOf('\n', journal.length - 2) + 1;
        if (!/^click Pict1 \d+\n$/.test(journal.slice(last)) || !elements.get('Change').state.visible) {
            return false;
        }
        const answer = module.restore(journal.slice(0, last));
        if (!answer.restored) {
            return false;
        }
        clearHint();
        draw();
        pressed = pressOf(answer.lastPress);
        save();
        focusLikelyNext();
        return true;
    }

    // The control named by an element name such as "Pict1(3)".
    function pressOf(name) {
        if (!name) {
            return null;
        }
        const [, control, index] = /^([^(]+)(?:\((\d+)\))?$/.exec(name);
        return { control, index: Number(index ?? 0) };
    }

    // ---- "Статистика" ----

    const svgNames = 'http://www.w3.org/2000/svg';
    const statistics = $('statistics');
    let beforeStatistics = null;
    const statisticsOpen = () => !statistics.hidden;

    // Each seat's line: a colour, a dash and a mark of its own, so that the
    // lines part also without their colours; the player's is the strongest.
    const seatLines = [
        { colour: '#1f4ebd', dash: '', width: 2.5 },
        { colour: '#c0392b', dash: '8 4', width: 2 },
        { colour: '#1e8449', dash: '8 3 2 3', width: 2 },
    ];

    function svg(parent, name, attributes, words) {
        const node = document.createElementNS(svgNames, name);
        for (const [key, value] of Object.entries(attributes)) {
            node.setAttribute(key, String(value));
        }
        if (words !== undefined) {
            node.textContent = words;
        }
        parent.append(node);
        return node;
    }

    // A circle, a square or a triangle at a point.
    function mark(parent, x, y, seat, size) {
        const fill = { fill: seatLines[seat].colour };
        if (seat === 0) {
            svg(parent, 'circle', { cx: x, cy: y, r: size, ...fill });
        } else if (seat === 1) {
            svg(parent, 'rect', { x: x - size, y: y - size, width: 2 * size, height: 2 * size, ...fill });
        } else {
            const corners = [[x, y - size * 1.2], [x + size * 1.1, y + size], [x - size * 1.1, y + size]];
            svg(parent, 'polygon', { points: corners.map((c) => c.join(',')).join(' '), ...fill });
        }
    }

    // The chart as the window draws it: the legend, the money axis with 0
    // always in, the deals along the bottom, a line for each seat with the
    // deal still being played faded.
    const chartLine = 15; // the height of a line of its words, in pixels
    function drawChart(chart, stats, box) {
        chart.replaceChildren();
        chart.setAttribute('viewBox', `0 0 ${box.width} ${box.height}`);
        chart.setAttribute('aria-description', stats.description);
        const line = chartLine;
        // How wide words are in the chart's font, measured there.
        const probe = svg(chart, 'text', { x: 0, y: -100, visibility: 'hidden' });
        const widthOf = (words) => {
            probe.textContent = words;
            return probe.getComputedTextLength();
        };
        const area = { left: line / 2, top: line / 4, right: box.width - line, bottom: box.height - line / 4 };
        let x = area.left;
        let top = area.top;
        stats.seats.forEach((name, seat) => {
            const width = 2.5 * line + line / 3 + widthOf(name) + line;
            if (x > area.left && x + width > area.right) {
                x = area.left;
                top += line * 1.3;
            }
            const middle = top + line * 0.65;
            const { colour, dash, width: stroke } = seatLines[seat];
            svg(chart, 'line', { x1: x, y1: middle, x2: x + 2.5 * line, y2: middle, stroke: colour, 'stroke-width': stroke, 'stroke-dasharray': dash });
            mark(chart, x + 1.25 * line, middle, seat, line / 5);
            svg(chart, 'text', { x: x + 2.5 * line + line / 3, y: middle + 4 }, name);
            x += width;
        });
        const legendBottom = top + line * 1.6;
        if (stats.rows.length < 2) {
            svg(chart, 'text', { x: box.width / 2, y: (legendBottom + area.bottom) / 2, 'text-anchor': 'middle' }, stats.description);
            return;
        }
        const { low, high, ticks } = stats.moneyAxis;
        const labelWidth = Math.max(...ticks.map((tick) => widthOf(tick.text)));
        const plot = { left: area.left + 1.6 * line + labelWidth, top: legendBottom + line / 2, right: area.right, bottom: area.bottom - 2.4 * line };
        const yOf = (value) => plot.bottom - ((plot.bottom - plot.top) * (value - low)) / (high - low);
        const deals = stats.rows.length - 1;
        const xOf = (deal) => plot.left + ((plot.right - plot.left) * deal) / deals;
        for (const tick of ticks) {
            const y = yOf(tick.value);
            const zero = Math.abs(tick.value) < (high - low) / ticks.length / 2;
            svg(chart, 'line', { x1: plot.left, y1: y, x2: plot.right, y2: y, stroke: zero ? '#000' : '#a0a0a0', 'stroke-width': zero ? 1.2 : 0.6 });
            svg(chart, 'text', { x: plot.left - line / 3, y: y + 4, 'text-anchor': 'end' }, tick.text);
        }
        svg(chart, 'path', { d: `M${plot.left},${plot.top}V${plot.bottom}H${plot.right}`, stroke: '#000', fill: 'none' });
        for (let deal = 0; deal <= deals; deal += stats.dealStep) {
            const at = xOf(deal);
            svg(chart, 'line', { x1: at, y1: plot.bottom, x2: at, y2: plot.bottom + line / 4, stroke: '#000' });
            svg(chart, 'text', { x: at, y: plot.bottom + line * 1.15, 'text-anchor': 'middle' }, String(deal));
        }
        svg(chart, 'text', { x: (plot.left + plot.right) / 2, y: plot.bottom + line * 2.3, 'text-anchor': 'middle' }, 'Раздача');
        const middle = (plot.top + plot.bottom) / 2;
        svg(chart, 'text', { x: area.left + line / 2, y: middle, 'text-anchor': 'middle', transform: `rotate(-90 ${area.left + line / 2} ${middle})` }, 'Деньги');
        // The player's line last, so that it lies on top.
        const settled = stats.underWay ? deals - 1 : deals;
        for (let seat = 2; seat >= 0; --seat) {
            const { colour, dash, width } = seatLines[seat];
            const point = (deal) => `${xOf(deal)},${yOf(stats.rows[deal].values[seat])}`;
            const path = ['M' + point(0)];
            for (let deal = 1; deal <= settled; ++deal) {
                path.push('L' + point(deal));
            }
            const stroke = { stroke: colour, 'stroke-width': width, 'stroke-dasharray': dash, fill: 'none' };
            svg(chart, 'path', { d: path.join(''), ...stroke });
            if (stats.underWay) {
                svg(chart, 'path', { d: `M${point(deals - 1)}L${point(deals)}`, ...stroke, 'stroke-opacity': 0.43 });
            }
            if (deals <= 40) {
                for (let deal = 0; deal <= deals; ++deal) {
                    mark(chart, xOf(deal), yOf(stats.rows[deal].values[seat]), seat, line / 6);
                }
            }
        }
    }

    function fillTable(node, columns, rows) {
        const head = document.createElement('thead');
        const top = head.insertRow();
        top.append(document.createElement('td'));
        for (const name of columns) {
            const cell = document.createElement('th');
            cell.scope = 'col';
            cell.textContent = name;
            top.append(cell);
        }
        const body = document.createElement('tbody');
        for (const { name, hint, cells } of rows) {
            const row = body.insertRow();
            const header = document.createElement('th');
            header.scope = 'row';
            // The names are indented with spaces, as the window's are.
            header.textContent = name.replace(/^ +/, (spaces) => '\u00a0'.repeat(spaces.length));
            if (hint) {
                header.title = hint;
            }
            row.append(header);
            for (const value of cells) {
                const cell = row.insertCell();
                cell.textContent = value;
                if (hint) {
                    cell.setAttribute('aria-description', hint);
                }
            }
        }
        node.replaceChildren(head, body);
    }

    // The record of the games finished in this browser; null when the
    // browser's storage cannot be read.
    function readRecord() {
        try {
            return localStorage.getItem(statisticsKey) ?? '';
        } catch {
            return null;
        }
    }

    function showStatistics() {
        const record = scripted ? '' : readRecord();
        const kept = !scripted && record !== null;
        const ask = (moneyTicks, dealLabels) => module.statistics(record ?? '', kept ? 1 : 0, moneyTicks, dealLabels);
        // The tables first: what they take leaves the chart its room.
        const words = ask(1, 1);
        if (!words) {
            closeStatistics();
            notify('Статистику этой игры прочитать не удалось.');
            return;
        }
        fillTable($('money-table'), words.seats, words.rows.map((row) => ({ name: row.name, cells: row.money })));
        fillTable($('counts-table'), ['Эта игра', 'Все игры'], words.counts.map((row) => ({ name: row.name, hint: row.hint, cells: [row.game, row.all] })));
        const moneyBox = $('money-table').parentElement;
        moneyBox.scrollTop = moneyBox.scrollHeight;
        const note = $('statistics-note');
        note.textContent = words.notes.join(' ');
        note.hidden = words.notes.length === 0;
        // As many money ticks as have room, and deal numbers as have room
        // for their digits.
        const chart = $('chart');
        const box = chart.getBoundingClientRect();
        const dealLabel = String(words.rows.length - 1).length * 7.6 + 1.5 * chartLine;
        const stats = ask(Math.max(1, Math.floor((box.height - 6 * chartLine) / (2.2 * chartLine))),
                          Math.max(1, Math.floor((box.width - 6 * chartLine) / dealLabel)));
        drawChart(chart, stats, box);
    }

    function openStatistics() {
        finishShowing();
        if (statisticsOpen()) {
            return;
        }
        // The keyboard goes back to the table when it closes, to where it was.
        beforeStatistics = tableBox.contains(document.activeElement) ? document.activeElement : null;
        statistics.hidden = false;
        $('statistics-shade').hidden = false;
        // The table beneath is out of reach, of a screen reader's too.
        $('window').inert = true;
        showStatistics();
        $('chart').focus();
    }

    function closeStatistics() {
        statistics.hidden = true;
        $('statistics-shade').hidden = true;
        $('window').inert = false;
        if (beforeStatistics && beforeStatistics.isConnected && !beforeStatistics.hidden && !beforeStatistics.disabled) {
            beforeStatistics.focus();
        } else {
            focusLikelyNext();
        }
    }

    // While it is open the keyboard stays in it: Tab goes round its parts,
    // Escape closes it.
    function statisticsKeydown(event) {
        if (event.key === 'Escape') {
            event.preventDefault();
            closeStatistics();
        } else if (event.key === 'Tab' && !event.ctrlKey && !event.altKey) {
            const ring = [$('chart'), ...statistics.querySelectorAll('.scroll'), $('statistics-close')];
            const at = ring.indexOf(document.activeElement);
            const next = at < 0 ? 0 : (at + (event.shiftKey ? ring.length - 1 : 1)) % ring.length;
            ring[next].focus();
            event.preventDefault();
        }
    }
    $('statistics-close').addEventListener('click', closeStatistics);
    window.addEventListener('resize', () => {
        if (statisticsOpen()) {
            showStatistics();
        }
    });

    // The game about to be replaced joins the games finished in this browser.
    // False when that cannot be written down: then nothing is replaced.
    function recordFinished(record = keeping ? readRecord() : null) {
        if (record === null) {
            // Nothing is kept in this browser: no record to add to.
            return true;
        }
        const next = module.finishGame(record);
        if (next === record) {
            return true;
        }
        try {
            localStorage.setItem(statisticsKey, next);
            return true;
        } catch {
            return false;
        }
    }
    const noRoomForRecord = 'счёт текущей игры в статистике некуда записать: в хранилище браузера нет места';

    // ---- the journal in the browser's storage ----

    function notify(message) {
        $('notice-text').textContent = message;
        $('notice').hidden = false;
        $('notice-ok').focus();
    }
    $('notice-ok').addEventListener('click', () => {
        $('notice').hidden = true;
        focusLikelyNext();
    });

    // The journal is kept in parts, so that an action writes a few kilobytes
    // however long the game: each part of at least partBytes once, under
    // `vurp.journal.part.ID.K`, and what follows them under `vurp.journal`,
    // after a line that names the parts. A journal kept whole, with no
    // parts, starts with its own first line instead. Each game's parts have
    // their own ID, so that a new game never writes over an old one's.
    const partBytes = 16 * 1024;
    // A journal may not pass 64 MiB: no more parts than that holds.
    const mostParts = 4096;
    const partKey = (id, k) => `${journalKey}.part.${id}.${k}`;
    const newPartsId = () => Date.now().toString(36) + Math.floor(Math.random() * 36 ** 4).toString(36);
    let partsId = newPartsId();
    let parts = 0; // the parts the game kept has
    let partsEnd = 0; // where in its journal they end, in bytes
    // The parts nothing reads once the journal is next written, each [id, k].
    const staleParts = [];
    const partsLine = () => (parts > 0 ? `# vurp journal parts ${partsId} ${parts}\n` : '');

    // The game kept is replaced: its journal is written anew from the start.
    function journalReplaced() {
        for (let k = 1; k <= parts; ++k) {
            staleParts.push([partsId, k]);
        }
        partsId = newPartsId();
        parts = 0;
        partsEnd = 0;
    }

    function save() {
        if (!keeping || saveBlocked) {
            return;
        }
        try {
            const { rest, bytes } = module.journalFrom(partsEnd);
            if (bytes >= partBytes && parts < mostParts) {
                // The part first: until the line after it names it, it is
                // not read.
                localStorage.setItem(partKey(partsId, parts + 1), rest);
                parts += 1;
                partsEnd += bytes;
                localStorage.setItem(journalKey, partsLine());
            } else {
                localStorage.setItem(journalKey, partsLine() + rest);
            }
            for (const [id, k] of staleParts.splice(0)) {
                // A part the game has written anew since is its own again.
                if (id !== partsId || k > parts) {
                    localStorage.removeItem(partKey(id, k));
                }
            }
            if (saveFailing) {
                notify('Игра снова сохраняется.');
            }
            saveFailing = false;
        } catch (error) {
            if (!saveFailing) {
                const full = error && (error.name === 'QuotaExceededError' || error.code === 22);
                notify(
                    `Игра не сохраняется: ${full ? 'в хранилище браузера нет места' : 'хранилище браузера недоступно'}. ` +
                        'Игра продолжается; сохранить её снова страница попробует при следующем ходе.',
                );
            }
            saveFailing = true;
        }
    }

    function problemOf(answer) {
        switch (answer.fault) {
            case 'not_journal':
                return 'это не запись игры «Вурп»';
            case 'too_large':
                return `запись слишком велика (${answer.detail} МБ)`;
            case 'newer_format':
                return `игра записана более новой версией программы (формат ${answer.detail})`;
            default:
                return `запись повреждена (${answer.detail})`;
        }
    }

    // A journal beyond 64 MiB in UTF-8, as the desktop program refuses a
    // journal file beyond that size, is not read at all.
    const journalLimit = 64 * 1024 * 1024;
    function utf8Length(value) {
        let bytes = 0;
        for (let i = 0; i < value.length; ++i) {
            const unit = value.charCodeAt(i);
            if (unit < 0x80) {
                bytes += 1;
            } else if (unit < 0x800) {
                bytes += 2;
            } else if (unit >= 0xd800 && unit < 0xdc00 && i + 1 < value.length &&
                       (value.charCodeAt(i + 1) & 0xfc00) === 0xdc00) {
                bytes += 4;
                ++i;
            } else {
                bytes += 3;
            }
        }
        return bytes;
    }
    function tooLarge(value) {
        // Every UTF-16 unit is one to three bytes, a pair four.
        return value.length > journalLimit || (value.length * 3 > journalLimit && utf8Length(value) > journalLimit);
    }

    // The journal kept: { text, id, parts, keys } (the text of each part and
    // its key), or, when a part named is missing or too many are named,
    // { text, keys, fault, detail } with all that was found; null when none
    // is kept.
    function readStored() {
        let rest = null;
        try {
            rest = localStorage.getItem(journalKey);
        } catch {
            return null;
        }
        if (rest === null) {
            return null;
        }
        const named = /^# vurp journal parts ([0-9a-z]+) ([0-9]+)\n/.exec(rest);
        const count = named ? Number(named[2]) : 0;
        const found = [];
        const keys = [];
        let missing = 0;
        for (let k = 1; k <= Math.min(count, mostParts); ++k) {
            let part = null;
            try {
                part = localStorage.getItem(partKey(named[1], k));
            } catch {
                part = null;
            }
            if (part === null) {
                missing ||= k;
            } else {
                found.push(part);
                keys.push(partKey(named[1], k));
            }
        }
        if (count > mostParts || missing) {
            const detail = missing ? `нет части ${missing} из ${count}` : `частей больше ${mostParts}`;
            return { text: found.join('') + rest, keys, fault: 'parts', detail };
        }
        return { text: found.join('') + rest.slice(named ? named[0].length : 0), id: named?.[1], parts: found, keys };
    }

    // Goes on with the game kept in the browser, or starts a new one; a
    // journal that cannot be read is set aside, never lost.
    function resume() {
        const kept = readStored();
        if (kept === null) {
            return null;
        }
        let answer;
        if (kept.fault) {
            answer = { restored: false, fault: kept.fault, detail: kept.detail };
        } else if (tooLarge(kept.text)) {
            answer = { restored: false, fault: 'too_large', detail: Math.floor(utf8Length(kept.text) / (1024 * 1024)) };
        } else {
            answer = module.restore(kept.text);
        }
        if (answer.restored) {
            // The parts the game read back whole are its parts still; the
            // next action writes what follows them.
            partsId = kept.id ?? partsId;
            for (const part of kept.parts) {
                const end = partsEnd + utf8Length(part);
                if (end > answer.length) {
                    break;
                }
                parts += 1;
                partsEnd = end;
            }
            for (let k = parts + 1; k <= kept.parts.length; ++k) {
                staleParts.push([partsId, k]);
            }
            return answer.lastPress;
        }
        const aside = `${journalKey}.unreadable.${new Date().toISOString()}`;
        let moved = false;
        try {
            localStorage.setItem(aside, kept.text);
            moved = true;
        } catch {
            moved = false;
        }
        if (moved) {
            // What the parts held is in the record set aside.
            kept.keys.forEach((key) => localStorage.removeItem(key));
            notify(
                `Сохранённую игру не удалось продолжить: ${problemOf(answer)}. Запись не удалена, ` +
                    `она перенесена под ключ «${aside}» хранилища браузера. Начата новая игра.`,
            );
        } else {
            saveBlocked = true;
            notify(
                `Сохранённую игру не удалось продолжить: ${problemOf(answer)}. Запись оставлена как есть, ` +
                    'но отложить её некуда: в хранилище браузера нет места, поэтому новая игра пока не сохраняется.',
            );
        }
        return null;
    }

    // ---- game files, as the window opens and saves them ----

    // The game as a file "Вурп.vurp": its journal, which the window opens too.
    function saveGameAs() {
        const link = document.createElement('a');
        link.href = URL.createObjectURL(new Blob([module.journal()], { type: 'text/plain' }));
        link.download = 'Вурп.vurp';
        link.click();
        setTimeout(() => URL.revokeObjectURL(link.href), 0);
    }

    function chooseGameToOpen() {
        const chooser = $('game-file');
        chooser.value = '';
        chooser.click();
    }

    // Goes on with the game a file holds, read as the window reads a saved
    // game: whole, a last line without its line end included. A file that
    // cannot be read leaves the game in progress as it is.
    async function openGame(file) {
        let answer;
        if (file.size > journalLimit) {
            answer = { restored: false, fault: 'too_large', detail: Math.floor(file.size / (1024 * 1024)) };
        } else {
            let text = await file.text();
            if (text !== '' && !text.endsWith('\n')) {
                text += '\n';
            }
            finishShowing();
            // The game it replaces is counted first; were the file no game,
            // the count goes back as it was.
            const record = keeping ? readRecord() : null;
            if (!recordFinished(record)) {
                notify(`Игру из файла ${file.name} открыть нельзя: ${noRoomForRecord}. Текущая игра продолжается.`);
                return;
            }
            answer = module.restore(text);
            if (!answer.restored && record !== null) {
                try {
                    localStorage.setItem(statisticsKey, record);
                } catch {
                    // It was written a moment ago: the room is there.
                }
            }
        }
        if (!answer.restored) {
            notify(`Игру из файла ${file.name} открыть нельзя: ${problemOf(answer)}. Текущая игра продолжается.`);
            return;
        }
        clearHint();
        journalReplaced();
        pressed = pressOf(answer.lastPress);
        saveBlocked = false;
        draw();
        save();
        focusLikelyNext();
    }

    function newGame() {
        if (!confirm('Начать новую игру? Деньги всех игроков снова станут начальными.')) {
            return;
        }
        finishShowing();
        if (!recordFinished()) {
            notify(`Новую игру начать нельзя: ${noRoomForRecord}. Текущая игра продолжается.`);
            return;
        }
        clearHint();
        try {
            const kept = keeping ? readStored() : null;
            if (kept !== null) {
                localStorage.setItem(`${journalKey}.previous`, kept.text);
            }
        } catch {
            // The old game is only kept when there is room.
        }
        module.start('', 0);
        journalReplaced();
        pressed = null;
        saveBlocked = false;
        draw();
        save();
        focusLikelyNext();
    }

    // ---- start ----

    // One tab keeps the game, as one window does on the desktop: it holds a
    // lock named as the journal's key while it is shown (asked for by
    // index.html as the page starts), and lets go as it is left, so that the
    // page that replaces it in a reload finds the lock free. A tab opened
    // beside the keeping one waits a second for the lock, then plays a game
    // of its own, which is not kept.
    window.addEventListener('pagehide', () => {
        window.vurpLetGo?.();
        window.vurpLetGo = null;
    });
    // A page the browser kept aside and shows again may meanwhile have been
    // played on in another tab: it reads the game kept anew.
    window.addEventListener('pageshow', (event) => {
        if (event.persisted && keeping) {
            location.reload();
        }
    });

    function setPace(value) {
        finishShowing();
        pace = paces.includes(value) ? value : 500;
        $('pace').value = String(pace);
    }

    async function boot() {
        // The marks tell where a start spends its time (bench/web_bench.mjs).
        performance.mark('vurp-module');
        vurp = await createVurp();
        performance.mark('vurp-compiled');
        let storedPace = null;
        try {
            storedPace = localStorage.getItem(paceKey);
        } catch {
            storedPace = null;
        }
        setPace(params.has('pace') ? Number(params.get('pace')) : scripted ? 0 : Number(storedPace ?? 500));
        let lastPress = null;
        if (scripted) {
            module.start('', 1);
        } else if (await (window.vurpLock ?? true)) {
            lastPress = resume();
        } else {
            keeping = false;
            notify('Вурп уже открыт в другой вкладке, и игра сохраняется там. Здесь идёт новая игра, и она не сохраняется.');
        }
        performance.mark('vurp-game');
        draw();
        pressed = pressOf(lastPress);
        focusLikelyNext();
        $('new-game').addEventListener('click', newGame);
        $('open-game').addEventListener('click', chooseGameToOpen);
        $('save-game').addEventListener('click', saveGameAs);
        $('game-file').addEventListener('change', (event) => {
            const [file] = event.target.files;
            if (file) {
                openGame(file);
            }
        });
        $('hint').addEventListener('click', showHint);
        $('log-button').addEventListener('click', toggleLog);
        $('statistics-button').addEventListener('click', openStatistics);
        $('pace').addEventListener('change', () => {
            setPace(Number($('pace').value));
            try {
                localStorage.setItem(paceKey, String(pace));
            } catch {
                // The pace is only remembered when there is room.
            }
        });
        window.addEventListener('resize', fit);
        document.documentElement.dataset.ready = 'true';
        performance.mark('vurp-ready');
        if ('serviceWorker' in navigator && !scripted && location.protocol !== 'file:') {
            // Once playing, the worker keeps every card picture at this
            // screen's ratio, for the game offline; and when this page came
            // from what it keeps, it asks the server for a new build.
            navigator.serviceWorker
                .register('sw.js')
                .then(() => navigator.serviceWorker.ready)
                .then((registration) =>
                    registration.active.postMessage({
                        keep: Object.keys(table.cardWords).map(pictureFile),
                        refresh: fromWorker,
                    }),
                )
                .catch(() => {});
        }
    }

    // What the tests and the benchmarks reach: the numbers of a scripted game
    // and what the driver would print, never a way round the page's controls.
    window.vurpPage = {
        start(seed) {
            const result = module.start(seed, 1);
            draw();
            told.length = 0;
            return result;
        },
        random: (value) => module.random(value),
        snapshot: () => module.snapshot(),
        journal: () => module.journal(),
        events: () => told.splice(0),
        busy,
        cardWords: () => table.cardWords,
        shown: () =>
            Object.fromEntries(
                [...elements.entries()].map(([name, e]) => [name, { ...e.state }]),
            ),
    };

    boot().catch((error) => {
        statusLine.textContent = `Игру не удалось запустить: ${error}`;
    });
})();
