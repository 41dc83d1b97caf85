# Pennova writing template (our own text)
id: 201
kind: high
category: 书信|Letters
name: 投诉信|Letter of complaint
description: 适用于对商品、服务或设施提出投诉的书信。首段说明写信目的，中间描述问题及其影响，然后提出具体要求，最后礼貌结尾。
title: A Letter of Complaint about [标题中的投诉对象，如 a Broken Laptop] || 关于[标题中的投诉对象，如 a Broken Laptop]的投诉信

[block]
Dear [收信人，如 Sir or Madam], || 尊敬的[收信人，如 Sir or Madam]：

[block]
I am writing to complain about [投诉对象，如 a laptop that I bought from your shop]. || 我写信是为了投诉[投诉对象，如 a laptop that I bought from your shop]。
The trouble began on [日期，如 March 3], and it has still not been put right. || 问题从[日期，如 March 3]开始出现，至今仍未得到解决。
[alternative]
I am writing to express my strong dissatisfaction with [投诉对象，如 the service at your hotel]. || 我写信是想对[投诉对象，如 the service at your hotel]表达强烈的不满。
I am sorry to say that my experience on [日期，如 March 3] was very disappointing. || 很遗憾地说，我在[日期，如 March 3]的经历令人非常失望。

[block]
The problem is that [问题，如 the screen goes black several times a day]. || 问题是[问题，如 the screen goes black several times a day]。
I have already [已采取的行动，如 taken it back to your shop once], but nothing has changed. || 我已经[已采取的行动，如 taken it back to your shop once]，但情况没有任何改变。
As a result, [影响，如 I could not finish my homework on time]. || 结果，[影响，如 I could not finish my homework on time]。
[alternative]
First, [问题一，如 the room was not cleaned during my stay]. || 首先，[问题一，如 the room was not cleaned during my stay]。
Second, [问题二，如 the staff at the front desk were rude to me]. || 其次，[问题二，如 the staff at the front desk were rude to me]。
These problems caused me a lot of trouble. || 这些问题给我带来了很多麻烦。

[block]
I would like you to [要求，如 replace the laptop or give me a full refund]. || 我希望你们[要求，如 replace the laptop or give me a full refund]。
I hope you can deal with this matter as soon as possible. || 希望你们能尽快处理此事。
[alternative]
I believe that a company like yours cares about its customers. || 我相信像贵公司这样的企业是关心顾客的。
I look forward to your reply and a fair solution. || 我期待你们的回复和一个公平的解决方案。

[block]
Yours faithfully, \n || 谨上，\n
[姓名，如 Li Hua] || [姓名，如 Li Hua]

[common]
I am afraid I have to make a complaint. || 恐怕我不得不提出投诉。
I was shocked by the poor quality of the product. || 我对产品的低劣质量感到震惊。
This is not the first time this has happened. || 这种事情已经不是第一次发生了。
I have kept the receipt as proof of purchase. || 我保留了收据作为购买凭证。
I would be grateful if you could look into this matter. || 如果您能调查此事，我将不胜感激。
Please contact me at your earliest convenience. || 请尽早与我联系。
I hope this problem will not happen again. || 希望这个问题不会再发生。
Thank you for your attention to this matter. || 感谢您对此事的关注。
